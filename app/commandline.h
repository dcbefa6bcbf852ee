// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

// The text to print for --help (or -h) and --version, and nothing for any other command line,
// whose arguments the program ignores. Plain C++, so it is answered before the toolkit looks
// for a display.
std::optional<std::string> CommandLineAnswer(int argc, const char *const argv[]);
