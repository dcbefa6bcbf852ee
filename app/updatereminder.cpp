// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/updatereminder.h"

namespace modHelp {

void ShowUpdateReminder()
{
}

} // namespace modHelp
