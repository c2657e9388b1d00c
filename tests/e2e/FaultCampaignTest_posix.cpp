// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile disks made by the test: a staged set whose set files or stored files are turned into
// links, FIFOs, devices and folders, or whose index and identity are damaged, restored by the
// program itself. Every run must end by itself within a time limit, with a non-zero status
// unless everything came back, leave in the restore folder only files of the source with
// their own contents, and change nothing outside it.
#include "CliExec_posix.h"
#include "CliRestoreFixture.h"
#include "CliRun.h"
#include "core/SetFormat.h"
#include "core/rFile/SetReader.h"
#include "support/TreeSnapshot_posix.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::CliRestoreTest;
using test::TreeOf;

// A run that has not ended after this long is a hang; the child's own alarm ends it first.
constexpr unsigned kAlarmSeconds = 10;
constexpr auto kKillAfter = std::chrono::seconds(kAlarmSeconds + 5);

// Runs arbolink-cli with no input and its output dropped. Answers the exit status, -1 when a
// signal ended it (the alarm among them), -2 when it had to be killed.
int RunWithTimeLimit(const std::vector<std::string>& args) {
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        alarm(kAlarmSeconds);
        test::ExecCli(args);
    }
    const auto deadline = std::chrono::steady_clock::now() + kKillAfter;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -2;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// One hostile change to the staged disks in a folder of their own (disk01 to disk03, their
// sets in "@dummy@"), and whether the program must see it.
struct Fault {
    std::string name;
    std::function<void(const std::string& setOf1, const std::string& setOf2)> apply;
    bool mustFail;
};

void Replace(const std::string& path, const std::function<void()>& make) {
    stdfs::remove_all(path);
    make();
}

// The ways a set file or a stored file can be something other than a plain file.
std::vector<std::pair<std::string, std::function<void(const std::string&)>>>
NotPlainKinds(const std::string& outside) {
    return {
        {"link", [=](const std::string& p) { stdfs::create_symlink(outside, p); }},
        {"dangling link", [](const std::string& p) { stdfs::create_symlink(p + ".gone", p); }},
        {"fifo", [](const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }},
        {"folder", [](const std::string& p) { stdfs::create_directory(p); }},
        {"device",
         [](const std::string& p) {
             // /dev/zero's numbers: a device that never ends reading.
             ASSERT_EQ(mknod(p.c_str(), S_IFCHR | 0600, makedev(1, 5)), 0);
         }},
    };
}

std::string Lines(std::int64_t count, const std::string& line) {
    std::string text;
    text.reserve(static_cast<std::size_t>(count) * line.size());
    for (std::int64_t i = 0; i < count; ++i) {
        text += line;
    }
    return text;
}

std::vector<Fault> GenerateFaults(const std::string& outside) {
    std::vector<Fault> faults;
    for (const auto& [kind, make] : NotPlainKinds(outside)) {
        for (const char* file : {kIndexFileName, kIdentityFileName}) {
            const std::string name = std::string(file) + " as " + kind;
            auto makeIt = make;
            // On the first disk read, the set cannot be restored at all.
            faults.push_back({name + " on the first disk",
                              [=](const std::string& first, const std::string&) {
                                  Replace(first + file, [&] { makeIt(first + file); });
                              },
                              true});
            // On a later disk the identity is what the run reads: that disk is passed over.
            faults.push_back({name + " on a later disk",
                              [=](const std::string&, const std::string& later) {
                                  Replace(later + file, [&] { makeIt(later + file); });
                              },
                              std::string(file) == kIdentityFileName});
        }
        if (kind == "link") {
            continue; // a stored file that links elsewhere is the copy's to refuse
        }
        auto makeIt = make;
        faults.push_back({"a stored file as " + kind,
                          [=](const std::string& first, const std::string&) {
                              for (const auto& entry : stdfs::directory_iterator(first)) {
                                  const std::string name = entry.path().filename().string();
                                  if (entry.is_regular_file() && name != kIndexFileName &&
                                      name != kIdentityFileName) {
                                      Replace(entry.path().string(),
                                              [&] { makeIt(entry.path().string()); });
                                      return;
                                  }
                              }
                          },
                          true});
    }
    auto writeBoth = [](const char* file, std::string bytes) {
        return [file, bytes](const std::string& first, const std::string& later) {
            for (const std::string& disk : {first, later}) {
                std::FILE* out = std::fopen((disk + file).c_str(), "wb");
                std::fwrite(bytes.data(), 1, bytes.size(), out);
                std::fclose(out);
            }
        };
    };
    const std::string index = IndexLine("", "a", "a");
    for (const auto& [numbers, disk, count] : std::vector<std::tuple<const char*, int, int>>{
             {"0 of 3", 0, 3}, {"4 of 3", 4, 3}, {"1 of 0", 1, 0}, {"-1 of 3", -1, 3}}) {
        faults.push_back({std::string("identity numbers ") + numbers,
                          writeBoth(kIdentityFileName, IdentityLine("s", disk, count)), true});
    }
    faults.push_back({"identity without numbers", writeBoth(kIdentityFileName, "\"s\"\r\n"), true});
    faults.push_back(
        {"repeated rows",
         writeBoth(kIndexFileName,
                   IndexLine("d\\", "a", "a") + IndexLine("", "b", "b") + IndexLine("d", "a", "c")),
         true});
    faults.push_back({"a row out of the restore folder",
                      writeBoth(kIndexFileName, IndexLine("..\\..\\", "escaped", "a")), true});
    faults.push_back({"a huge line",
                      writeBoth(kIndexFileName, "\"" + std::string(200'000, 'x') + "\"\r\n"),
                      true});
    faults.push_back({"more rows than a restore takes",
                      writeBoth(kIndexFileName, Lines(kMaxIndexRows + 1, "x\n")), true});
    faults.push_back({"blank lines only", writeBoth(kIndexFileName, Lines(100'000, "\r\n")), true});
    faults.push_back({"bytes in no encoding",
                      writeBoth(kIndexFileName, "\"\xff\xfe\x80\",\"a\",\"a\"\r\n"), true});
    faults.push_back(
        {"rows of two fields", writeBoth(kIndexFileName, "\"a\",\"b\"\r\n" + index), true});
    faults.push_back({"another set's later disk",
                      [](const std::string&, const std::string& later) {
                          std::FILE* out = std::fopen((later + kIdentityFileName).c_str(), "wb");
                          const std::string line = IdentityLine("another set", 2, 3);
                          std::fwrite(line.data(), 1, line.size(), out);
                          std::fclose(out);
                      },
                      true});
    return faults;
}

// Every file below out is a file of the source with the same contents.
void ExpectOnlySourceFiles(const std::map<std::string, std::string>& out,
                           const std::map<std::string, std::string>& source,
                           const std::string& fault) {
    for (const auto& [path, contents] : out) {
        auto found = source.find(path);
        ASSERT_NE(found, source.end()) << fault << ": " << path << " is not of the source";
        EXPECT_EQ(found->second, contents) << fault << ": " << path;
    }
}

TEST_F(CliRestoreTest, HostileDisksNeverHangWriteForeignDataOrChangeAnythingOutside) {
    if (getuid() != 0) {
        GTEST_SKIP() << "devices on the hostile disks need root";
    }
    ASSERT_EQ(Stage("stage"), 0);
    root().WriteFile("canary/secret.txt", "secret");
    root().WriteFile("canary/deep/also.txt", "also");
    const std::map<std::string, std::string> source = TreeOf(root() / "src");
    const std::vector<Fault> faults = GenerateFaults(root() / "canary/secret.txt");
    const auto started = std::chrono::steady_clock::now();
    int n = 0;
    for (const Fault& fault : faults) {
        const std::string run = root() / ("runs/" + std::to_string(++n));
        stdfs::create_directories(run);
        stdfs::copy(root() / "stage", run + "/stage", stdfs::copy_options::recursive);
        auto setOf = [&](int disk) {
            return run + "/stage/disk0" + std::to_string(disk) + "/" + kDummyFolderName + "/";
        };
        fault.apply(setOf(1), setOf(2));
        const test::TreeSnapshot canary = test::SnapshotOf(root() / "canary");
        const test::TreeSnapshot sourceBefore = test::SnapshotOf(root() / "src");
        const test::TreeSnapshot disksBefore = test::SnapshotOf(run + "/stage");

        const int status = RunWithTimeLimit({"restore", "--from", run + "/stage/disk01", "--from",
                                             run + "/stage/disk02", "--from", run + "/stage/disk03",
                                             run + "/out", "--yes"});
        EXPECT_GE(status, 0) << fault.name << ": ended by a signal or killed";
        const bool restored = stdfs::exists(run + "/out");
        const std::map<std::string, std::string> out =
            restored ? TreeOf(run + "/out") : std::map<std::string, std::string>{};
        if (status == 0) {
            EXPECT_FALSE(fault.mustFail) << fault.name << ": reported as a success";
            EXPECT_EQ(out, source) << fault.name << ": success with a different tree";
        } else {
            ExpectOnlySourceFiles(out, source, fault.name);
            EXPECT_LT(out.size(), source.size()) << fault.name;
        }
        EXPECT_EQ(test::Differences(canary, test::SnapshotOf(root() / "canary")),
                  std::vector<std::string>{})
            << fault.name;
        EXPECT_EQ(test::Differences(sourceBefore, test::SnapshotOf(root() / "src")),
                  std::vector<std::string>{});
        EXPECT_EQ(test::Differences(disksBefore, test::SnapshotOf(run + "/stage")),
                  std::vector<std::string>{})
            << fault.name;
        stdfs::remove_all(run);
    }
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::steady_clock::now() - started);
    std::cout << "[ campaign ] " << faults.size() << " hostile restores in " << seconds.count()
              << " s\n";
}

} // namespace
} // namespace arbolink
