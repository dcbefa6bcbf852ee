// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace modHelp {

// Asks, at most once in fifteen days and never at the first run, whether to look
// for an update.
void ShowUpdateReminder();

} // namespace modHelp
