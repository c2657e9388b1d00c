// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the same-name check knows of every name it meets, upper-cased as FAT, exFAT and NTFS
// compare names: which are file rows' Names, which were already seen or given out as stored
// names, and which a set keeps for itself.
//
// The check looks up every row's names several times, so the names live in one flat table
// with their bytes in one buffer: no allocation per name, and one release at the end.

#include "core/PlanningValues.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace arbolink {

class StoredNameRegistry {
public:
    // Knows the Name of every file row, the set files' names and, when the program row
    // names a file (the program copy), the program folder's name.
    explicit StoredNameRegistry(const PlanningValues& values);

    // True when an earlier call named a row with the same Name as this row; marks it seen.
    bool SeenBefore(std::int64_t row);

    // A candidate stored name (upper-cased) is taken when it was given out, names a set
    // file, or equals the Name of a file row other than row.
    bool Taken(std::string_view upperCandidate, std::int64_t row) const;

    void GiveOut(std::string_view upperStored);

    // Taken and GiveOut for the row's own Name as the candidate, without looking it up: the
    // registry knows each row's name already, and nearly every row keeps its name.
    bool OwnNameTaken(std::int64_t row) const;
    void GiveOutOwnName(std::int64_t row);

private:
    // Kept in 16 bytes: there is one for nearly every row.
    struct NameUse {
        std::uint64_t offset = 0;  // of the name's bytes in names_; the next use's name follows
        std::uint32_t hash = 0;    // the low bits of the name's hash, which pick its slot
        bool isName : 1 = false;   // some file row has this Name
        bool seen : 1 = false;     // a row with this Name was met
        bool stored : 1 = false;   // given out as a stored name
        bool reserved : 1 = false; // the name of a set file or of the program folder
    };

    // Uses are counted in 32 bits to keep the table small: every row adds at most two.
    using UseIndex = std::uint32_t;
    static constexpr UseIndex kNoUse = UINT32_MAX;

    // The use of the name, kNoUse when it has none.
    UseIndex Find(std::string_view upperName, std::size_t hash) const;
    // The use of the name, added when it has none.
    UseIndex Add(std::string_view upperName);
    UseIndex Add(std::string_view upperName, std::size_t hash);
    // Adds the Name of every file row and notes each row's use.
    void AddRowNames(const FileTable& table, std::size_t rows);
    UseIndex AddUpperCased(std::string_view name);
    std::string_view NameOf(UseIndex use) const;
    // The first slot of the name's probe sequence that holds it or is free.
    std::size_t SlotOf(std::string_view upperName, std::size_t hash) const;
    void Grow();

    std::string names_;
    std::vector<NameUse> uses_;
    std::vector<UseIndex> slots_; // kNoUse when free; a power of two long
    std::vector<UseIndex> useOfRow_;
    std::string upper_; // scratch for upper-casing
};

} // namespace arbolink
