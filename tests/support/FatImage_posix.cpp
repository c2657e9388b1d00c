// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FatImage_posix.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

namespace arbolink::test {

namespace {

// Runs the program (looked up in PATH) with its output thrown away; true when it exits with 0.
bool Run(std::vector<std::string> words) {
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

bool IsMountPoint(const std::string& folder) {
    struct stat inside {};
    struct stat parent {};
    return stat(folder.c_str(), &inside) == 0 && stat((folder + "/..").c_str(), &parent) == 0 &&
           inside.st_dev != parent.st_dev;
}

} // namespace

FatImage::FatImage(std::string image, std::string mountPoint)
    : image_(std::move(image)), mountPoint_(std::move(mountPoint)) {}

FatImage::~FatImage() {
    if (mounted_) {
        Run({"fusermount", "-u", "-z", mountPoint_});
    }
}

bool FatImage::Mount(int mebibytes) {
    if (!Run({"mkfs.vfat", "-C", image_, std::to_string(mebibytes * 1024)})) {
        error_ = "cannot make a FAT image (mkfs.vfat from dosfstools)";
        return false;
    }
    if (!Run({"fusefat", "-o", "rw+", image_, mountPoint_}) || !IsMountPoint(mountPoint_)) {
        error_ = "cannot mount a FAT image through FUSE (fusefat, /dev/fuse)";
        return false;
    }
    mounted_ = true;
    return true;
}

} // namespace arbolink::test
