// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/commandline.h"

#include "base/identity.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string_view>

namespace {

// The name the program was started by, without its folder (Windows separates folders with
// either slash) or the extension Windows programs carry.
std::string programName(const char *argv0)
{
    const std::string_view path = argv0 ? argv0 : "";
    std::string_view name = path.substr(path.find_last_of("/\\") + 1);
    if (name.size() > 4) {
        std::string extension(name.substr(name.size() - 4));
        for (char &c : extension)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        if (extension == ".exe")
            name.remove_suffix(4);
    }
    return std::string(name.empty() ? "starfold" : name);
}

std::string helpText(const std::string &name)
{
    return "Usage: " + name + " [--help | --version]\n\n"
           STARFOLD_DESCRIPTION ".\n"
           "Without options it opens its main window; other arguments are ignored.\n\n"
           "  -h, --help     show this help and exit\n"
           "      --version  show the version and exit\n\n"
           STARFOLD_SETTINGS_HELP "\n";
}

// The options every Qt program takes (QGuiApplication's and QApplication's), written with one
// dash or two; those with a value take it after "=" or as the next argument.
constexpr std::string_view QtOptionsWithValue[] = {
    "style", "stylesheet", "platform", "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display", "geometry"};
constexpr std::string_view QtFlags[] = {"widgetcount", "reverse", "qmljsdebugger", "dialogs",
                                        "fontengine"};

bool listed(const auto &names, std::string_view name)
{
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

} // namespace

std::optional<CommandLineReply> CommandLineAnswer(int argc, const char *const argv[])
{
    bool version = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h")
            return CommandLineReply{helpText(programName(argv[0]))};
        if (argument == "--version") {
            version = true;
            continue;
        }
        if (argument.size() < 2 || argument[0] != '-')
            continue;
        std::string_view name = argument.substr(argument[1] == '-' ? 2 : 1);
        const bool valueGiven = name.find('=') != std::string_view::npos;
        name = name.substr(0, name.find('='));
        if (listed(QtOptionsWithValue, name)) {
            i += valueGiven ? 0 : 1;
        } else if (!listed(QtFlags, name)) {
            // Left to Qt, an option it does not know either ends in an abort where there is
            // no display.
            const std::string program = programName(argv[0]);
            return CommandLineReply{program + ": unknown option '" + std::string(argument)
                                        + "'\nTry '" + program + " --help' for more information.\n",
                                    2};
        }
    }
    if (version)
        return CommandLineReply{std::string(ProgramTitle) + ' ' + STARFOLD_VERSION + '\n'};
    return std::nullopt;
}
