// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/savetarget.h"

#include "base/filename.h"

#include <QDir>
#include <QFileInfo>

std::optional<QString> SaveTargetRefusal(const QString &path)
{
    const QFileInfo file(path);
    const QString native = QDir::toNativeSeparators(file.absoluteFilePath());
    if (!fileSystemCanName(path))
        return QStringLiteral("%1\nThis file name cannot be used.\nUse a different file name.")
            .arg(native);
    const QString folder = QDir::toNativeSeparators(file.absolutePath());
    if (!QFileInfo(file.absolutePath()).isDir())
        return QStringLiteral("%1\nThis folder does not exist.\nPlease check the folder name.")
            .arg(folder);
    if (file.exists() && !file.isFile())
        return QStringLiteral("%1\nThis is not an ordinary file.\nUse a different file name.")
            .arg(native);
    // A file without any write permission is read-only, even for an administrator who
    // could write it anyway.
    constexpr auto AnyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (file.exists() && (!file.isWritable() || !(file.permissions() & AnyWrite)))
        return QStringLiteral("%1\nThis file is read-only.\nUse a different file name.")
            .arg(native);
    return std::nullopt;
}
