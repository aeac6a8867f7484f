// The command line and the hand-over between two starts. Any arguments: one action, and the
// items in their order; any hand-over message decodes without error; any paths encoded read
// back as they were.
#include "FuzzSupport.h"
#include "startup/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = Bytes(data, size);
    const std::vector<std::string> args = Fields(bytes);

    const CommandLine line = CommandLine::Parse(args);
    FUZZ_CHECK(line.Items.size() <= args.size());
    if (line.action == CommandLine::Action::Usage)
        FUZZ_CHECK(line.Items.empty() && line.BadOption.size() >= 2);
    const std::vector<std::string> paths = CommandLine::LocalPaths(line.Items, "/home/u");
    FUZZ_CHECK(paths.size() == line.Items.size());

    FUZZ_CHECK(CommandLine::DecodeHandOver(bytes).size() <= size);
    std::vector<std::string> nonEmpty;
    for (const std::string& path : paths)
        if (!path.empty())
            nonEmpty.push_back(path);
    const std::string message = CommandLine::EncodeHandOver(paths);
    FUZZ_CHECK(CommandLine::HandOverComplete(message));
    FUZZ_CHECK(CommandLine::DecodeHandOver(message) == nonEmpty);
    return 0;
}
