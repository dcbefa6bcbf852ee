// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// Why a chosen path must be refused before anyone writes to it: the folder is missing; the
// name stands for something other than an ordinary file (a folder, a pipe, a device), which
// a save would replace or never finish; the file exists and is read-only; or the name
// cannot be given to the file system as it stands. Nothing when the path may be used.
std::optional<QString> SaveTargetRefusal(const QString &path);
