// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"

#include "base/identity.h"

#include <cctype>
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

} // namespace

std::optional<std::string> CommandLineAnswer(int argc, const char *const argv[])
{
    bool version = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h")
            return helpText(programName(argv[0]));
        version = version || argument == "--version";
    }
    if (version)
        return std::string(ProgramTitle) + ' ' + STARFOLD_VERSION + '\n';
    return std::nullopt;
}
