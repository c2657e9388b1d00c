// SPDX-License-Identifier: GPL-3.0-or-later
// The UDisks2 backend of the media watcher: the service's objects over D-Bus (GDBus), asked
// in blocking calls with a time limit, so that no main loop has to run for it.
#include "fs/MediaWatch.h"

#include <gio/gio.h>
#include <map>

namespace arbolink {

namespace {

constexpr const char* kService = "org.freedesktop.UDisks2";
constexpr const char* kRoot = "/org/freedesktop/UDisks2";
constexpr const char* kBlock = "org.freedesktop.UDisks2.Block";
constexpr const char* kFilesystem = "org.freedesktop.UDisks2.Filesystem";
constexpr const char* kDrive = "org.freedesktop.UDisks2.Drive";
constexpr int kLookTimeout = 2000;    // milliseconds
constexpr int kActionTimeout = 60000; // a stick flushing its cache on power-off takes a while

// Releases a GLib value when it goes out of scope.
struct VariantRef {
    GVariant* value = nullptr;
    ~VariantRef() {
        if (value != nullptr) {
            g_variant_unref(value);
        }
    }
};

std::string ReasonOf(GError* error) {
    if (error == nullptr) {
        return {};
    }
    g_dbus_error_strip_remote_error(error);
    std::string reason = error->message;
    g_error_free(error);
    return reason;
}

// A property of a{sv}; null when missing or of another type.
GVariant* Property(GVariant* properties, const char* name, const GVariantType* type) {
    return g_variant_lookup_value(properties, name, type);
}

std::string StringProperty(GVariant* properties, const char* name) {
    VariantRef value{Property(properties, name, nullptr)};
    if (value.value == nullptr) {
        return {};
    }
    if (g_variant_is_of_type(value.value, G_VARIANT_TYPE_BYTESTRING)) {
        return g_variant_get_bytestring(value.value);
    }
    if (g_variant_is_of_type(value.value, G_VARIANT_TYPE_STRING) ||
        g_variant_is_of_type(value.value, G_VARIANT_TYPE_OBJECT_PATH)) {
        return g_variant_get_string(value.value, nullptr);
    }
    return {};
}

bool BoolProperty(GVariant* properties, const char* name) {
    VariantRef value{Property(properties, name, G_VARIANT_TYPE_BOOLEAN)};
    return value.value != nullptr && g_variant_get_boolean(value.value);
}

std::int64_t SizeProperty(GVariant* properties) {
    VariantRef value{Property(properties, "Size", G_VARIANT_TYPE_UINT64)};
    return value.value == nullptr ? -1
                                  : static_cast<std::int64_t>(g_variant_get_uint64(value.value));
}

// The first of the file system's mount points (an array of byte strings).
std::string FirstMountPoint(GVariant* properties) {
    VariantRef points{Property(properties, "MountPoints", G_VARIANT_TYPE_BYTESTRING_ARRAY)};
    if (points.value == nullptr || g_variant_n_children(points.value) == 0) {
        return {};
    }
    VariantRef first{g_variant_get_child_value(points.value, 0)};
    return g_variant_get_bytestring(first.value);
}

struct DriveFacts {
    std::string kind;
    bool canPowerOff = false;
    bool ejectable = false;
};

DriveFacts FactsOf(GVariant* drive) {
    DriveFacts facts;
    const std::string bus = StringProperty(drive, "ConnectionBus");
    if (BoolProperty(drive, "Optical") || StringProperty(drive, "Media").rfind("optical", 0) == 0) {
        facts.kind = "CD";
    } else if (BoolProperty(drive, "Removable") || BoolProperty(drive, "MediaRemovable") ||
               bus == "usb" || bus == "sdio") {
        facts.kind = "Rem";
    } else {
        facts.kind = "HDD";
    }
    facts.canPowerOff = BoolProperty(drive, "CanPowerOff");
    facts.ejectable = BoolProperty(drive, "Ejectable");
    return facts;
}

class UDisks2Watcher : public MediaWatcher {
public:
    explicit UDisks2Watcher(GDBusConnection* bus) : bus_(bus) {}
    ~UDisks2Watcher() override { g_object_unref(bus_); }
    UDisks2Watcher(const UDisks2Watcher&) = delete;
    UDisks2Watcher& operator=(const UDisks2Watcher&) = delete;

    // False when the service does not answer.
    bool Open() {
        std::vector<Medium> media;
        if (!Read(media)) {
            return false;
        }
        Start();
        return true;
    }

    bool Mount(const Medium& medium, std::string& mountPoint, std::string& reason) override {
        VariantRef reply{Call(medium.id, kFilesystem, "Mount", reason)};
        if (reply.value == nullptr) {
            return false;
        }
        const gchar* path = nullptr;
        g_variant_get(reply.value, "(&s)", &path);
        mountPoint = path;
        return true;
    }

    bool CanEject() const override { return true; }

    bool Eject(const Medium& medium, std::string& reason) override {
        if (!medium.mountPoint.empty()) {
            VariantRef reply{Call(medium.id, kFilesystem, "Unmount", reason)};
            if (reply.value == nullptr) {
                return false;
            }
        }
        auto facts = drives_.find(medium.drive);
        if (facts == drives_.end()) {
            return true; // no drive to take it out of: unmounted is as far as it goes
        }
        const char* method = facts->second.canPowerOff ? "PowerOff"
                             : facts->second.ejectable ? "Eject"
                                                       : nullptr;
        if (method == nullptr) {
            return true;
        }
        VariantRef reply{Call(medium.drive, kDrive, method, reason)};
        return reply.value != nullptr;
    }

protected:
    // A service that does not answer for a moment tells nothing: the media seen last stand,
    // rather than going and coming back as new ones.
    std::vector<Medium> Look() override {
        std::vector<Medium> media;
        return Read(media) ? media : Media();
    }

private:
    // A method of the service that takes only its options (none given here).
    GVariant* Call(const std::string& object, const char* interface, const char* method,
                   std::string& reason) {
        GError* error = nullptr;
        GVariant* reply = g_dbus_connection_call_sync(
            bus_, kService, object.c_str(), interface, method, g_variant_new("(a{sv})", nullptr),
            nullptr, G_DBUS_CALL_FLAGS_NONE, kActionTimeout, nullptr, &error);
        if (reply == nullptr) {
            reason = ReasonOf(error);
        }
        return reply;
    }

    // Every block device that holds a file system, with its drive. False when the service
    // does not answer; media and the drives are then left as they were.
    bool Read(std::vector<Medium>& media) {
        GError* error = nullptr;
        VariantRef reply{g_dbus_connection_call_sync(
            bus_, kService, kRoot, "org.freedesktop.DBus.ObjectManager", "GetManagedObjects",
            nullptr, G_VARIANT_TYPE("(a{oa{sa{sv}}})"), G_DBUS_CALL_FLAGS_NONE, kLookTimeout,
            nullptr, &error)};
        if (reply.value == nullptr) {
            ReasonOf(error);
            return false;
        }
        drives_.clear();
        VariantRef objects{g_variant_get_child_value(reply.value, 0)};
        GVariantIter iter;
        const gchar* path = nullptr;
        GVariant* interfaces = nullptr;
        g_variant_iter_init(&iter, objects.value);
        while (g_variant_iter_loop(&iter, "{&o@a{sa{sv}}}", &path, &interfaces)) {
            VariantRef drive{g_variant_lookup_value(interfaces, kDrive, nullptr)};
            if (drive.value != nullptr) {
                drives_[path] = FactsOf(drive.value);
            }
        }
        g_variant_iter_init(&iter, objects.value);
        while (g_variant_iter_loop(&iter, "{&o@a{sa{sv}}}", &path, &interfaces)) {
            VariantRef block{g_variant_lookup_value(interfaces, kBlock, nullptr)};
            VariantRef filesystem{g_variant_lookup_value(interfaces, kFilesystem, nullptr)};
            if (block.value == nullptr || filesystem.value == nullptr) {
                continue;
            }
            Medium medium;
            medium.id = path;
            medium.device = StringProperty(block.value, "Device");
            medium.drive = StringProperty(block.value, "Drive");
            medium.mountPoint = FirstMountPoint(filesystem.value);
            medium.label = StringProperty(block.value, "IdLabel");
            medium.size = SizeProperty(block.value);
            auto facts = drives_.find(medium.drive);
            medium.kind = facts == drives_.end() ? std::string() : facts->second.kind;
            media.push_back(std::move(medium));
        }
        return true;
    }

    GDBusConnection* bus_;
    std::map<std::string, DriveFacts> drives_; // by object path, at the last look
};

} // namespace

std::unique_ptr<MediaWatcher> OpenUDisks2Watcher(const std::string& busAddress) {
    GError* error = nullptr;
    gchar* address = busAddress.empty()
                         ? g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SYSTEM, nullptr, &error)
                         : g_strdup(busAddress.c_str());
    if (address == nullptr) {
        ReasonOf(error);
        return nullptr;
    }
    GDBusConnection* bus = g_dbus_connection_new_for_address_sync(
        address,
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, &error);
    g_free(address);
    if (bus == nullptr) {
        ReasonOf(error);
        return nullptr;
    }
    auto watcher = std::make_unique<UDisks2Watcher>(bus);
    if (!watcher->Open()) {
        return nullptr;
    }
    return watcher;
}

} // namespace arbolink
