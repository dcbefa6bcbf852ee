// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <optional>

// The one way the program writes a file. The path is followed through any links, as editors
// do; the bytes go to a temporary file beside the file it names, every write checked, flushed
// to the disk, and only then renamed over it, and the folder is flushed so the new name lasts.
// A failure before the rename leaves the old file as it was and no temporary behind. A file
// made anew gets the given permissions (none given: the system's default); a replaced file
// keeps its own. Nothing on success, else why it failed.
std::optional<QString> ReplaceFile(const QString &path, const QByteArray &bytes,
                                   QFileDevice::Permissions newFilePermissions = {});

// Removes from the folder the temporary files of the current user's that no writer holds any
// more (a crash, a kill, a power cut between write and rename). A live writer's, in whatever
// process or on whatever machine, and other users' stay.
void RemoveLeftoverTemporaries(const QString &folder);

namespace replacefile {

// The file the path names once its links are followed.
QString finalPath(const QString &path);
// A fresh, unguessable name beside the file: ".<name>.starfold-<random>.tmp", the name cut
// short where the file system's limit on a name asks for it.
QString temporaryPathFor(const QString &file);

// Supplied by each platform's file.
qsizetype longestName(const QString &folder);
qsizetype nameLength(const QString &name);
// Removes a temporary of ours that belongs to the current user and that no writer holds.
void removeIfAbandoned(const QString &path);

} // namespace replacefile
