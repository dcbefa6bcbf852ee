// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QDialog;
class QScreen;
class QWidget;

// What a form is set up with: what it is to screen readers (the caption is every window's,
// so this says which one it is).
struct FormOptions {
    const char *description;
};

// Gives a form the program's caption and font, and fixes its client area at the size its
// layout gave it.
void setUpForm(QWidget *form, const FormOptions &options);

// Moves a window to the middle of a screen's available area: the given screen, else the
// one the window is on. Like move(), it places the frame's corner, so the frame the window
// system adds later lies right and below.
void centreOnScreen(QWidget *window, const QScreen *screen = nullptr);
// Puts the window's client area itself in the middle of a screen's available area (the
// given screen, else the one the window is on), wherever the window system adds its frame.
void centreClientAreaOnScreen(QWidget *window, const QScreen *screen = nullptr);

// Registers a window with the loaded forms under its object name. Unloading it runs
// formUnload, then hides the window and deletes it once the event loop is reached;
// closing the window unloads it.
// Screen readers are told it is a window, whatever widget class it is built on.
void loadWindowForm(QWidget *window, std::function<void()> formUnload);

// Registers a dialog with the loaded forms under its object name. It unloads once it
// finishes, whichever way out was taken; unloaded otherwise (the program ending), it
// finishes as rejected.
void loadDialogForm(QDialog *dialog);

// Either way, a form destroyed while still loaded leaves the loaded forms with it, without
// its unload step, which would find it half gone.
