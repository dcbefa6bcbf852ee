// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

// What the program answers instead of starting: the text and the exit status; a status other
// than 0 goes with an error on standard error.
struct CommandLineReply {
    std::string text;
    int status = 0;
};

// The answer to --help (or -h), --version or an option neither the program nor Qt knows, and
// nothing for any other command line: Qt takes its own options, and the program ignores
// other arguments. Plain C++, so it is answered before the toolkit looks for a display.
std::optional<CommandLineReply> CommandLineAnswer(int argc, const char *const argv[]);
