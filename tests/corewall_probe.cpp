// SPDX-License-Identifier: GPL-3.0-or-later
// Compiled with the display-free library's include paths; it must not compile.
#include <QtWidgets/QWidget>
