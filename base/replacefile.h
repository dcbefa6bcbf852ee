// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <optional>

// Writes the bytes to a new file beside the path and renames it over the path, so that a
// failed write leaves any old file as it was. A file made anew gets the given permissions
// (none given: the system's default). Nothing on success, else why it failed.
std::optional<QString> ReplaceFile(const QString &path, const QByteArray &bytes,
                                   QFileDevice::Permissions newFilePermissions = {});
