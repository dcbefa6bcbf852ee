// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QAbstractItemView;
class QDialog;
class QFont;
class QLabel;
class QPlainTextEdit;
class QRect;
class QScreen;
class QWidget;

// A block of plain text, word-wrapped from its top left corner, placed in pixels.
QLabel *makeWrappedText(QWidget *parent, const char *name, const QString &text,
                        const QRect &pixels, const QFont &font);

// Draws the style's focus frame around a control while it has the focus from the keyboard,
// for controls whose own look does not change with it: a read-only text box shows no caret,
// and a default button is outlined whether it has the focus or not.
void showFocusFrame(QWidget *control);

// Shows a box's text from its start, with the caret there, so that reading on from the
// caret reads the text; a screen reader starts where the caret is.
void readFromStart(QPlainTextEdit *box);

// Has screen readers told the chosen item whenever a list takes the focus, as they are when
// it moves within the list, not only the list's name and size.
void announceCurrentItemOnFocus(QAbstractItemView *list);

// Holds a box of many lines to at most maxLength characters, a line break counting one.
void limitLength(QPlainTextEdit *box, int maxLength);

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

// Registers a dialog with the loaded forms under its object name and unloads it once it
// finishes, whichever way out was taken. A dialog destroyed unfinished must still
// unload itself in its destructor.
void loadDialogForm(QDialog *dialog, std::function<void()> formUnload);
