// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/divide/StoredNameRegistry.h"

#include "core/SetFormat.h"
#include "fs/Encoding.h"

#include <array>
#include <bit>
#include <functional>
#include <stdexcept>

namespace arbolink {

StoredNameRegistry::StoredNameRegistry(const PlanningValues& values) {
    const FileTable& table = values.Table;
    const auto rows = static_cast<std::size_t>(values.FileCount);
    // Every row adds at most its Name and one stored name. Reserving that keeps the list
    // from being copied as it grows; what is never written is never touched.
    uses_.reserve(2 * rows + 3);
    slots_.assign(std::bit_ceil(2 * (rows + 3)), kNoUse);
    useOfRow_.resize(rows);
    AddRowNames(table, rows);
    uses_[AddUpperCased(kIndexFileName)].reserved = true;
    uses_[AddUpperCased(kIdentityFileName)].reserved = true;
    uses_[AddUpperCased(kChecksumListName)].reserved = true;
    uses_[AddUpperCased(kSetMapName)].reserved = true;
    if (!table.Cell(Name, rows).empty()) {
        uses_[AddUpperCased(kProgramFolderName)].reserved = true;
    }
}

void StoredNameRegistry::AddRowNames(const FileTable& table, std::size_t rows) {
    // The names are upper-cased and hashed some rows ahead of the one being added, and their
    // slots asked for early: the slots of a million names lie far apart in memory, and
    // waiting for each in turn would be most of the work.
    constexpr std::size_t kAhead = 16;
    struct Pending {
        std::string upper;
        std::size_t hash = 0;
    };
    std::array<Pending, kAhead> pending;
    const auto prepare = [&](std::size_t row) {
        Pending& next = pending[row % kAhead];
        next.upper.clear();
        AppendUpperCase(table.Cell(Name, row), next.upper);
        next.hash = std::hash<std::string_view>{}(next.upper);
        __builtin_prefetch(&slots_[next.hash & (slots_.size() - 1)]);
    };
    for (std::size_t row = 0; row < rows && row < kAhead; ++row) {
        prepare(row);
    }
    for (std::size_t row = 0; row < rows; ++row) {
        const Pending& current = pending[row % kAhead];
        const UseIndex use = Add(current.upper, current.hash);
        uses_[use].isName = true;
        useOfRow_[row] = use;
        if (row + kAhead < rows) {
            prepare(row + kAhead);
        }
    }
}

bool StoredNameRegistry::SeenBefore(std::int64_t row) {
    NameUse& use = uses_[useOfRow_[static_cast<std::size_t>(row)]];
    const bool seen = use.seen;
    use.seen = true;
    return seen;
}

bool StoredNameRegistry::OwnNameTaken(std::int64_t row) const {
    const NameUse& use = uses_[useOfRow_[static_cast<std::size_t>(row)]];
    return use.stored || use.reserved;
}

void StoredNameRegistry::GiveOutOwnName(std::int64_t row) {
    uses_[useOfRow_[static_cast<std::size_t>(row)]].stored = true;
}

bool StoredNameRegistry::Taken(std::string_view upperCandidate, std::int64_t row) const {
    const UseIndex found = Find(upperCandidate, std::hash<std::string_view>{}(upperCandidate));
    if (found == kNoUse) {
        return false;
    }
    const NameUse& use = uses_[found];
    return use.stored || use.reserved ||
           (use.isName && found != useOfRow_[static_cast<std::size_t>(row)]);
}

void StoredNameRegistry::GiveOut(std::string_view upperStored) {
    uses_[Add(upperStored)].stored = true;
}

StoredNameRegistry::UseIndex StoredNameRegistry::Find(std::string_view upperName,
                                                      std::size_t hash) const {
    return slots_[SlotOf(upperName, hash)];
}

StoredNameRegistry::UseIndex StoredNameRegistry::Add(std::string_view upperName) {
    return Add(upperName, std::hash<std::string_view>{}(upperName));
}

StoredNameRegistry::UseIndex StoredNameRegistry::Add(std::string_view upperName, std::size_t hash) {
    const std::size_t slot = SlotOf(upperName, hash);
    if (slots_[slot] != kNoUse) {
        return slots_[slot];
    }
    if (uses_.size() >= kNoUse) {
        throw std::length_error("too many names for the same-name check");
    }
    NameUse use;
    use.hash = static_cast<std::uint32_t>(hash);
    use.offset = names_.size();
    names_.append(upperName);
    uses_.push_back(use);
    const auto added = static_cast<UseIndex>(uses_.size() - 1);
    slots_[slot] = added;
    // Linear probing stays short while at most three quarters of the slots are taken; the
    // slots are sized for half, so the suffixed names of a tree with many repeated names
    // seldom make the table grow, which for a moment needs both tables.
    if (4 * uses_.size() > 3 * slots_.size()) {
        Grow();
    }
    return added;
}

StoredNameRegistry::UseIndex StoredNameRegistry::AddUpperCased(std::string_view name) {
    upper_.clear();
    AppendUpperCase(name, upper_);
    return Add(upper_);
}

std::string_view StoredNameRegistry::NameOf(UseIndex use) const {
    const std::size_t begin = uses_[use].offset;
    const std::size_t end = use + 1 < uses_.size() ? uses_[use + 1].offset : names_.size();
    return std::string_view(names_).substr(begin, end - begin);
}

std::size_t StoredNameRegistry::SlotOf(std::string_view upperName, std::size_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const UseIndex use = slots_[slot];
        if (use == kNoUse ||
            (uses_[use].hash == static_cast<std::uint32_t>(hash) && NameOf(use) == upperName)) {
            return slot;
        }
    }
}

void StoredNameRegistry::Grow() {
    slots_.assign(2 * slots_.size(), kNoUse);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t use = 0; use < uses_.size(); ++use) {
        std::size_t slot = uses_[use].hash & mask;
        while (slots_[slot] != kNoUse) {
            slot = (slot + 1) & mask;
        }
        slots_[slot] = static_cast<UseIndex>(use);
    }
}

} // namespace arbolink
