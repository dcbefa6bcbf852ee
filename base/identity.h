// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/buildconfig.h"

// The title every message box carries.
inline constexpr auto ProgramTitle = "Starfold";
// The caption of every window of the program.
inline constexpr auto WindowCaption = "Starfold v" STARFOLD_VERSION;
