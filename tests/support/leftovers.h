// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <QFileInfo>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

// What a crash, a stray file or another program can leave at a path, written as
// "file:BYTES", "folder", "folder:NAME" (holding a file NAME), "pipe" or "link:TARGET".
namespace leftovers {

// Puts the leftover at the path in place of any plain file there; false if it could not.
inline bool leave(const QString &path, const QByteArray &what)
{
    QFile::remove(path);
    const QByteArray rest = what.mid(what.indexOf(':') + 1);
    if (what.startsWith("file:")) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(rest) == rest.size();
    }
    if (what.startsWith("folder"))
        return QDir().mkdir(path)
               && (what == "folder" || leave(path + u'/' + QFile::decodeName(rest), "file:" + rest));
#ifndef Q_OS_WIN
    if (what == "pipe")
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
#endif
    return what.startsWith("link:") && QFile::link(QFile::decodeName(rest), path);
}

// What stands at the path, in the terms of leave(); "nothing" if nothing does.
inline QByteArray describe(const QString &path)
{
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    if (info.isSymLink())
        return "link:" + QFile::encodeName(info.symLinkTarget());
    if (!info.exists())
        return "nothing";
    if (info.isDir()) {
#else
    struct stat st{};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return "nothing";
    if (S_ISLNK(st.st_mode))
    {
        char target[4096];
        const ssize_t length = ::readlink(QFile::encodeName(path).constData(), target, 4096);
        return "link:" + QByteArray(target, qMax<ssize_t>(length, 0));
    }
    if (S_ISFIFO(st.st_mode))
        return "pipe";
    if (S_ISDIR(st.st_mode)) {
#endif
        const QStringList names = QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot
                                                       | QDir::Hidden | QDir::System);
        return names.isEmpty() ? "folder" : "folder:" + QFile::encodeName(names.join(u','));
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? "file:" + file.readAll() : "unreadable";
}

} // namespace leftovers
