// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A mocked UDisks2 service on a private bus of its own: a dbus-daemon and python-dbusmock
// with the template tests/fs/udisks2_mock.py, started for one test and stopped after it. The
// test puts USB sticks in and takes them out, and reads back the calls the program made.

#include "support/TempFolder.h"

#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

namespace arbolink::test {

class UDisks2Mock {
public:
    UDisks2Mock();
    ~UDisks2Mock();
    UDisks2Mock(const UDisks2Mock&) = delete;
    UDisks2Mock& operator=(const UDisks2Mock&) = delete;

    // Empty when the service runs; otherwise why it could not be started (a test skips).
    const std::string& unavailable() const { return unavailable_; }
    // The private bus, for OpenUDisks2Watcher.
    const std::string& address() const { return address_; }

    // A stick "name" (its drive; its file system is name + "1"), mounted at mountPoint
    // unless that is empty.
    void AddStick(const std::string& name, const std::string& label, std::uint64_t size,
                  const std::string& mountPoint, bool canPowerOff = true);
    void SetMountPoint(const std::string& name, const std::string& mountPoint);
    void RemoveStick(const std::string& name);
    // Every later unmount, eject or power-off of that stick fails as "Device is busy".
    void RefuseEject(const std::string& name);
    // The calls made so far: "Unmount sdb1", "PowerOff sdb", "Mount sdc1".
    std::vector<std::string> Calls();
    // The service goes away from the bus.
    void StopService();

private:
    void CallMock(const char* method, const std::string& signature,
                  const std::vector<std::string>& strings);
    bool ServiceAnswers();

    TempFolder folder_;
    std::string address_;
    std::string unavailable_;
    pid_t daemon_ = -1;
    pid_t mock_ = -1;
};

} // namespace arbolink::test
