// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/replacefile.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

// QSaveFile::commit() renames a file whose buffered tail never reached the disk
// (QTBUG-75077), and a short write is no error to QIODevice; so write until the device
// says why it stopped, and flush before committing.
bool writeAll(QSaveFile &file, const QByteArray &bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return file.flush() && file.error() == QFileDevice::NoError;
}

} // namespace

std::optional<QString> ReplaceFile(const QString &path, const QByteArray &bytes,
                                   QFileDevice::Permissions newFilePermissions)
{
    const bool isNew = !QFileInfo::exists(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (isNew && newFilePermissions)
        file.setPermissions(newFilePermissions);
    if (!writeAll(file, bytes) || !file.commit())
        return file.errorString();
    return std::nullopt;
}
