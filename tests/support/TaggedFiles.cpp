#include "support/TaggedFiles.h"

#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace {

void RunFfmpeg(std::vector<std::string> args, const std::string& path) {
    args.insert(args.begin(), {"ffmpeg", "-nostdin", "-v", "error", "-y"});
    args.push_back(path);
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::execvp("ffmpeg", argv.data());
        ::_exit(127);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        throw std::runtime_error("ffmpeg could not write " + path);
}

}  // namespace

std::string WriteTagged(const std::string& folder, const TaggedFile& file) {
    const std::string path = folder + "/" + file.Name;
    std::vector<std::string> args = {"-f", "lavfi", "-i",
                                     "sine=frequency=440:sample_rate=44100:duration=1"};
    if (!file.Cover.empty())
        args.insert(args.end(), {"-i", file.Cover, "-map", "0:a", "-map", "1:v", "-c:v", "copy",
                                 "-disposition:v", "attached_pic"});
    for (const std::string& item : file.Metadata) {
        args.push_back("-metadata");
        args.push_back(item);
    }
    args.insert(args.end(), file.Codec.begin(), file.Codec.end());
    RunFfmpeg(args, path);
    return path;
}

std::string WritePicture(const std::string& folder, const std::string& name) {
    const std::string path = folder + "/" + name;
    RunFfmpeg({"-f", "lavfi", "-i", "color=c=red:s=16x16", "-frames:v", "1"}, path);
    return path;
}
