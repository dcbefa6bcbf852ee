// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// Trouble the user is not told about, and the program keeps no log: a category stays silent
// unless a developer asks for it, with QT_LOGGING_RULES="starfold.*=true".
#define STARFOLD_LOGGING_CATEGORY(name, id) Q_LOGGING_CATEGORY(name, id, QtCriticalMsg)
