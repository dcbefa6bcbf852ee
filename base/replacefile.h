// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <optional>

// The one way the program writes a file. The bytes go to a temporary file beside the path,
// every write checked, flushed to the disk, and only then renamed over the path; so a
// failure at any step leaves the old file as it was and no temporary behind. A file made
// anew gets the given permissions (none given: the system's default); a replaced file keeps
// its own. Nothing on success, else why it failed.
std::optional<QString> ReplaceFile(const QString &path, const QByteArray &bytes,
                                   QFileDevice::Permissions newFilePermissions = {});

// Removes from the folder the temporary files that an ended process of this program left
// there (a crash, a kill, a power cut between write and rename). Files of a live process
// and files of other users stay.
void RemoveLeftoverTemporaries(const QString &folder);

namespace replacefile {

// A temporary name says whose it is: ".<name>.starfold-<process id>.tmp" beside the target.
QString temporaryPathFor(const QString &path, qint64 processId);

// Supplied by each platform's file.
qint64 currentProcess();
bool processAlive(qint64 processId);
// A regular file that belongs to the current user.
bool ownLeftover(const QString &path);

} // namespace replacefile
