// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QTextEdit;
class QWidget;

// Clickable web addresses in the report box.
namespace modRTB {

// Shows every web address in the box as a link, as text arrives and as the user types,
// and opens one through the page launcher when the left button goes down on it. The
// box and the form see every event as before; the hook lives as long as the box.
void HookReportLinks(QTextEdit *box, QWidget *form);

} // namespace modRTB
