// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>

#include <initializer_list>

class QWidget;

// The program's own colours. A form that fixes one colour of a text and its background
// fixes the other too (setColourPair), so the pair reads on a light and a dark desktop alike.

// The blue of every link caption on a light background.
inline constexpr QRgb LinkBlue = qRgb(0, 0, 255);
// The exit screen's invitation to the forum, a deeper blue than the links.
inline constexpr QRgb InvitationBlue = qRgb(0, 0, 192);
// The light grey of a plain form, which the blue links on the main window were drawn on.
// Where the desktop's own window colour is dark, they are drawn on this instead.
inline constexpr QRgb FormGrey = qRgb(239, 239, 239);
// The exit screen's two frames, with white captions and yellow links.
inline constexpr QRgb Navy = qRgb(0, 0, 128);
inline constexpr QRgb LinkYellow = qRgb(255, 255, 0);
// The about box; white on it is the box's own design, not a readable pair.
inline constexpr QRgb AboutOrange = qRgb(255, 128, 0);

// Gives the widget this text colour on this background, filling the background, so that
// neither is left to the desktop's theme.
void setColourPair(QWidget *widget, QColor text, QColor background);
// Keeps the widget light under blue links: the desktop's own window colours where they are
// light enough, else black on FormGrey; chosen again whenever the desktop's colours change.
void keepLight(QWidget *widget);
// Draws the roles in the active window's colours when the window is not active either, as
// the desktop gives them and whenever it changes them: for a band that is the form's own
// design, and for a chosen item that stays chosen, as in a native list box.
void keepActiveColours(QWidget *widget, std::initializer_list<QPalette::ColorRole> roles);
