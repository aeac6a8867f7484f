#pragma once

#include <cstddef>
#include <string>

class ProfileReader;

// The three values of the launcher's configuration file, section "setup" of "kitbem.cfg" in the
// current folder (not the program's own folder). A missing file or key gives the default.
struct LauncherConfig {
    // The file read, relative to the current folder.
#ifdef _WIN32
    static constexpr const char* FileName = ".\\kitbem.cfg";
#else
    static constexpr const char* FileName = "./kitbem.cfg";
#endif
    static constexpr const char* Section = "setup";
    // Each value is read into a buffer of this many characters, so at most 63 are used.
    static constexpr std::size_t BufferSize = 64;

    std::string Inf = "setup.inf";   // handed to the shell's "install" verb
    std::string App = "Setup";       // the caption of both message boxes
    std::string Rme = "readme.txt";  // handed to the shell's "open" verb

    // Reads "inf", "app" and "rme", in that order.
    static LauncherConfig Read(ProfileReader& profile);
};
