// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Whether the file system stores a file under this path by exactly this name, so that a save
// lands where the user pointed. Each platform answers in a file of its own.
bool fileSystemCanName(const QString &path);
