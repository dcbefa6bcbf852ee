// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/settingsstore.h"

// Where the program's settings live: a file, or on Windows a registry path.
inline QString settingsFilePath()
{
    return settingsstore::location();
}
