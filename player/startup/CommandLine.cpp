#include "startup/CommandLine.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "playlist/FileUri.h"

namespace {

// Qt's own options (QGuiApplication and QApplication take them off the command line).
constexpr std::array<std::string_view, 12> kQtOptionsWithValue{
    "platform",        "platformpluginpath",
    "platformtheme",   "plugin",
    "qwindowgeometry", "qwindowicon",
    "qwindowtitle",    "display",
    "geometry",        "style",
    "stylesheet",      "session"};
constexpr std::array<std::string_view, 2> kQtFlags{"reverse", "widgetcount"};

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

CommandLine CommandLine::Parse(const std::vector<std::string>& args) {
    CommandLine line;
    bool options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!options || arg.size() < 2 || arg.front() != '-') {
            line.Items.push_back(arg);
            continue;
        }
        if (arg == "--") {
            options = false;
        } else if (arg == "--help" || arg == "-h") {
            line.action = Action::Help;
            return line;
        } else if (arg == "--version" || arg == "-v") {
            line.action = Action::Version;
            return line;
        } else {
            std::string_view name(arg);
            name.remove_prefix(name.starts_with("--") ? 2 : 1);
            const std::size_t equals = name.find('=');
            const std::string_view bare = name.substr(0, equals);
            if (Contains(kQtOptionsWithValue, bare)) {
                if (equals == std::string_view::npos)
                    ++i;  // its value
            } else if (!Contains(kQtFlags, name)) {
                line.action = Action::Usage;
                line.BadOption = arg;
                line.Items.clear();
                return line;
            }
        }
    }
    return line;
}

std::string CommandLine::HelpText() {
    return "Usage: qvrl [OPTION]... [FILE|FOLDER|URI]...\n"
           "Play lists of sound and video files, in order or shuffled.\n"
           "\n"
           "A play list file (.qpl, .m3u, .m3u8, .pls, .xspf) replaces the play list; media\n"
           "files and folders are added to it. The first new entry plays. When the player\n"
           "runs already, it takes the files and comes to the front.\n"
           "\n"
           "  -h, --help     show this help and exit\n"
           "  -v, --version  show the version and exit\n";
}

std::string CommandLine::VersionText() {
    return "Quavrel 2.0\n";
}

std::string CommandLine::UsageText(const std::string& badOption) {
    return "qvrl: unknown option '" + badOption +
           "'\nUsage: qvrl [--help] [--version] [FILE|FOLDER|URI]...\n";
}

std::vector<std::string> CommandLine::LocalPaths(const std::vector<std::string>& items,
                                                 const std::string& currentFolder) {
    std::vector<std::string> paths;
    paths.reserve(items.size());
    for (const std::string& item : items) {
        if (HasUriScheme(item)) {
            paths.push_back(FileUriPath(item).value_or(item));
        } else if (!item.empty() && item.front() != '/') {
            paths.push_back((std::filesystem::path(currentFolder) / item).lexically_normal());
        } else {
            paths.push_back(item);
        }
    }
    return paths;
}

std::string CommandLine::EncodeHandOver(const std::vector<std::string>& paths) {
    std::string message;
    for (const std::string& path : paths) {
        if (path.empty())
            continue;  // an empty line ends the message
        message += PercentEncode(path);
        message += '\n';
    }
    message += '\n';
    return message;
}

std::vector<std::string> CommandLine::DecodeHandOver(std::string_view message) {
    std::vector<std::string> paths;
    while (!message.empty()) {
        const std::size_t end = message.find('\n');
        const std::string_view line = message.substr(0, end);
        if (line.empty())
            break;
        paths.push_back(PercentDecode(line));
        if (end == std::string_view::npos)
            break;
        message.remove_prefix(end + 1);
    }
    return paths;
}

bool CommandLine::HandOverComplete(std::string_view message) {
    return message.starts_with('\n') || message.find("\n\n") != std::string_view::npos;
}
