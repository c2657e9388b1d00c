// Where the settings file lives on POSIX systems: beside the program where that folder can be
// written, else in the user's configuration folder, as programs installed for all users
// cannot write beside themselves.
#include "fs/Folders.h"
#include "ui/IniFile.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace arbolink {

namespace {

namespace stdfs = std::filesystem;

std::string WithIniExtension(const stdfs::path& program) {
    stdfs::path ini = program;
    ini.replace_extension(".ini");
    return ini.string();
}

std::string ConfigurationFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return std::string(xdg) + "/arbolink";
    }
    const char* home = std::getenv("HOME");
    return home != nullptr && home[0] == '/' ? std::string(home) + "/.config/arbolink" : "";
}

} // namespace

std::string SettingsFilePath(const std::string& programFile) {
    stdfs::path program(programFile);
    std::string beside = WithIniExtension(program);
    std::string folder = program.parent_path().string();
    if (FileExists(beside) || (!folder.empty() && access(folder.c_str(), W_OK) == 0)) {
        return beside;
    }
    std::string configuration = ConfigurationFolder();
    if (configuration.empty()) {
        return beside;
    }
    return configuration + "/" + stdfs::path(beside).filename().string();
}

} // namespace arbolink
