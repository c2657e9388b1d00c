// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/UDisks2Mock_posix.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <gio/gio.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace arbolink::test {

namespace {

constexpr const char* kDaemon = "/usr/bin/dbus-daemon";
// Debian's python3-dbusmock is installed for the system's own interpreter.
constexpr const char* kPython = "/usr/bin/python3";

std::string BusConfig(const std::string& folder) {
    return "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
           " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
           "<busconfig><type>session</type><listen>unix:dir=" +
           folder +
           "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
           "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
           "<allow own=\"*\"/></policy></busconfig>\n";
}

void Stop(pid_t& pid) {
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }
}

GDBusConnection* Connect(const std::string& address) {
    return g_dbus_connection_new_for_address_sync(
        address.c_str(),
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr);
}

} // namespace

UDisks2Mock::UDisks2Mock() {
    if (access(kDaemon, X_OK) != 0 ||
        std::system((std::string(kPython) + " -c 'import dbusmock' 2>/dev/null").c_str()) != 0) {
        unavailable_ = "dbus-daemon or python3-dbusmock is not installed";
        return;
    }
    const std::string config = folder_ / "bus.conf";
    std::ofstream(config) << BusConfig(folder_.path());
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        unavailable_ = "no pipe";
        return;
    }
    daemon_ = fork();
    if (daemon_ == 0) {
        dup2(pipeEnds[1], 1);
        close(pipeEnds[0]);
        execl(kDaemon, kDaemon, ("--config-file=" + config).c_str(), "--nofork", "--print-address",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    std::FILE* out = fdopen(pipeEnds[0], "r");
    char line[512] = {};
    if (out == nullptr || std::fgets(line, sizeof line, out) == nullptr) {
        unavailable_ = "dbus-daemon did not start";
        if (out != nullptr) {
            std::fclose(out);
        }
        return;
    }
    std::fclose(out);
    address_ = line;
    while (!address_.empty() && (address_.back() == '\n' || address_.back() == '\r')) {
        address_.pop_back();
    }
    const std::string templateFile = std::string(ARBOLINK_SOURCE_DIR) + "/tests/fs/udisks2_mock.py";
    mock_ = fork();
    if (mock_ == 0) {
        setenv("DBUS_SESSION_BUS_ADDRESS", address_.c_str(), 1);
        // The mock logs every call; the test asks it for the calls instead.
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, 1);
        execl(kPython, kPython, "-m", "dbusmock", "--session", "-t", templateFile.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    // The mock takes its name on the bus once Python has started; until then calls fail.
    for (int attempt = 0; attempt < 200 && !ServiceAnswers(); ++attempt) {
        usleep(50'000);
    }
    if (!ServiceAnswers()) {
        unavailable_ = "the mocked UDisks2 service did not come up";
    }
}

UDisks2Mock::~UDisks2Mock() {
    Stop(mock_);
    Stop(daemon_);
}

void UDisks2Mock::StopService() {
    Stop(mock_);
}

bool UDisks2Mock::ServiceAnswers() {
    GDBusConnection* bus = Connect(address_);
    if (bus == nullptr) {
        return false;
    }
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "NameHasOwner", g_variant_new("(s)", "org.freedesktop.UDisks2"), G_VARIANT_TYPE("(b)"),
        G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
    gboolean owned = FALSE;
    if (reply != nullptr) {
        g_variant_get(reply, "(b)", &owned);
        g_variant_unref(reply);
    }
    g_object_unref(bus);
    return owned;
}

void UDisks2Mock::CallMock(const char* method, const std::string& signature,
                           const std::vector<std::string>& strings) {
    GDBusConnection* bus = Connect(address_);
    ASSERT_NE(bus, nullptr);
    GVariantBuilder arguments;
    g_variant_builder_init(&arguments, G_VARIANT_TYPE_TUPLE);
    std::size_t next = 0;
    for (char type : signature) {
        if (type == 's') {
            g_variant_builder_add(&arguments, "s", strings.at(next++).c_str());
        } else if (type == 't') {
            g_variant_builder_add(&arguments, "t",
                                  static_cast<guint64>(std::stoull(strings.at(next++))));
        } else if (type == 'b') {
            g_variant_builder_add(&arguments, "b", strings.at(next++) == "true");
        }
    }
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.freedesktop.UDisks2", "/org/freedesktop/UDisks2", "org.freedesktop.DBus.Mock",
        method, g_variant_builder_end(&arguments), nullptr, G_DBUS_CALL_FLAGS_NONE, 5000, nullptr,
        &error);
    g_object_unref(bus);
    ASSERT_NE(reply, nullptr) << method << ": " << (error != nullptr ? error->message : "");
    g_variant_unref(reply);
}

void UDisks2Mock::AddStick(const std::string& name, const std::string& label, std::uint64_t size,
                           const std::string& mountPoint, bool canPowerOff) {
    CallMock("AddStick", "sstsb",
             {name, label, std::to_string(size), mountPoint, canPowerOff ? "true" : "false"});
}

void UDisks2Mock::SetMountPoint(const std::string& name, const std::string& mountPoint) {
    CallMock("SetMountPoint", "ss", {name, mountPoint});
}

void UDisks2Mock::RemoveStick(const std::string& name) {
    CallMock("RemoveStick", "s", {name});
}

void UDisks2Mock::RefuseEject(const std::string& name) {
    CallMock("RefuseEject", "s", {name});
}

std::vector<std::string> UDisks2Mock::Calls() {
    std::vector<std::string> calls;
    GDBusConnection* bus = Connect(address_);
    if (bus == nullptr) {
        ADD_FAILURE() << "no bus";
        return calls;
    }
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.freedesktop.UDisks2", "/org/freedesktop/UDisks2", "org.freedesktop.DBus.Mock",
        "Calls", nullptr, G_VARIANT_TYPE("(as)"), G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr);
    g_object_unref(bus);
    if (reply == nullptr) {
        ADD_FAILURE() << "the mock did not tell its calls";
        return calls;
    }
    GVariantIter* iter = nullptr;
    const gchar* call = nullptr;
    g_variant_get(reply, "(as)", &iter);
    while (g_variant_iter_loop(iter, "&s", &call)) {
        calls.emplace_back(call);
    }
    g_variant_iter_free(iter);
    g_variant_unref(reply);
    return calls;
}

} // namespace arbolink::test
