// SPDX-License-Identifier: GPL-3.0-or-later
// Seen only by the display-free library. Every Qt Gui, Widgets and PrintSupport header
// reaches this one first, so including any of them there stops the build.
#error "display-free code must not include Qt Gui, Widgets or PrintSupport headers"
