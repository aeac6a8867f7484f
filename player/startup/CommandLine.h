#pragma once

#include <string>
#include <string_view>
#include <vector>

// The player's command line, "qvrl [OPTION]... [FILE|FOLDER|URI]...", as a desktop's file
// manager and its "Open With" pass it (the desktop entry says %U), and the message a second
// start hands its files over with. Plain C++; no output of its own: the caller prints.
struct CommandLine {
    enum class Action {
        Run,      // start (or hand Items to the running copy)
        Help,     // print HelpText to standard output, exit 0
        Version,  // print VersionText to standard output, exit 0
        Usage     // print UsageText(BadOption) to standard error, exit 2
    };

    Action action = Action::Run;
    std::vector<std::string> Items;  // the files, folders and URIs, in the order given
    std::string BadOption;           // the first unknown option, for Usage

    // args: the arguments after the program's name. "--help"/"-h" and "--version"/"-v" act at
    // once; "--" ends the options; "-" alone is a name. The options Qt itself takes
    // ("-platform NAME", "-style NAME", "-display NAME", "-reverse", ...) are let through for
    // Qt and are no items. Any other argument starting with "-" is an unknown option.
    static CommandLine Parse(const std::vector<std::string>& args);

    static std::string HelpText();
    static std::string VersionText();
    static std::string UsageText(const std::string& badOption);

    // Each item as a local path: a "file:" URI percent-decoded, a relative path made absolute
    // against currentFolder (the running copy has a folder of its own). Other URIs stay as
    // they are and name nothing when added.
    static std::vector<std::string> LocalPaths(const std::vector<std::string>& items,
                                               const std::string& currentFolder);

    // The hand-over from a second start: one percent-encoded path per line and an empty line
    // at the end, so any byte of a path travels and the end is seen without closing.
    static std::string EncodeHandOver(const std::vector<std::string>& paths);
    // The paths of a hand-over, up to its closing empty line (or the end of the text, when the
    // other copy went away early).
    static std::vector<std::string> DecodeHandOver(std::string_view message);
    // True once message holds the closing empty line.
    static bool HandOverComplete(std::string_view message);
};
