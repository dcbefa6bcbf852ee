// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QDialog;
class QFont;
class QLabel;
class QRect;
class QScreen;
class QWidget;

// A block of plain text, word-wrapped from its top left corner, placed in pixels.
QLabel *makeWrappedText(QWidget *parent, const char *name, const QString &text,
                        const QRect &pixels, const QFont &font);

// Moves a window to the middle of a screen's available area: the given screen, else the
// one the window is on. Like move(), it places the frame's corner, so the frame the window
// system adds later lies right and below.
void centreOnScreen(QWidget *window, const QScreen *screen = nullptr);
// Puts the window's client area itself in the middle of its screen's available area.
void centreClientAreaOnScreen(QWidget *window);

// Registers a window with the loaded forms under its object name. Unloading it runs
// formUnload, then hides the window and deletes it once the event loop is reached.
void loadWindowForm(QWidget *window, std::function<void()> formUnload);

// Registers a dialog with the loaded forms under its object name and unloads it once it
// finishes, whichever way out was taken. A dialog destroyed unfinished must still
// unload itself in its destructor.
void loadDialogForm(QDialog *dialog, std::function<void()> formUnload);
