// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/buildconfig.h"

// The title every message box carries, and the program's name to the desktop.
inline constexpr auto ProgramTitle = "Starfold";
// The caption of every window of the program.
inline constexpr auto WindowCaption = "Starfold v" STARFOLD_VERSION;
// The reverse-DNS name under which the desktop files its entry, metainfo and icon.
inline constexpr auto ApplicationId = STARFOLD_APP_ID;
inline constexpr auto MakerName = STARFOLD_MAKER;
