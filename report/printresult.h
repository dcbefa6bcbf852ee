// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace report {

// What became of a print; the print module hands it to the program as a number.
enum class PrintResult {
    Printed,
    NotPrinted, // no printer, or it failed: nothing to tell the user
    TooLong,    // longer than one print can lay out; nothing printed
};

} // namespace report
