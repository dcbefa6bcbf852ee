// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/buildconfig.h"

#include <QString>

// What every window's caption reads: the program's name and the version the build carries.
inline QString programCaption()
{
    return QStringLiteral("Starfold v") + QLatin1String(STARFOLD_VERSION);
}
