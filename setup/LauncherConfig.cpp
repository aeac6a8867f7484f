#include "LauncherConfig.h"

#include "ProfileReader.h"

LauncherConfig LauncherConfig::Read(ProfileReader& profile) {
    LauncherConfig config;
    config.Inf = profile.ReadString(Section, "inf", config.Inf, BufferSize, FileName);
    config.App = profile.ReadString(Section, "app", config.App, BufferSize, FileName);
    config.Rme = profile.ReadString(Section, "rme", config.Rme, BufferSize, FileName);
    return config;
}
