// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A burner for tests that writes nothing: it answers from the test's lists and records every
// call, so that every fault of a drive can be injected.

#include "fs/Burner.h"

#include <deque>
#include <string>
#include <vector>

namespace arbolink::test {

// Answers from the test's lists; a disc reads back as the test says.
class InjectingBurner : public Burner {
public:
    std::deque<BurnEnd> ends;              // of the next burns; Written once it is empty
    std::deque<DiscDigests> discs;         // what the next read-backs find
    std::vector<std::string> drivesBurnt;  // every drive a burn was tried on
    std::vector<std::int64_t> limitsGiven; // the limit each burn was given
    std::vector<std::string> discarded;    // the drives whose disc was thrown away
    int readBacks = 0;

    int heldData = 0;                 // blank discs found holding data before a blank one
    std::deque<BurnEnd> blankings;    // of the next blankings; Written once it is empty
    std::vector<std::string> blanked; // every drive a blanking was asked of

    std::vector<std::string> drivesMeasured; // every drive asked for its blank disc

    std::int64_t BlankBlocks(const std::string& drive, BurnEnd& why, std::string&) override {
        drivesMeasured.push_back(drive);
        if (heldData > 0) {
            --heldData;
            why = BurnEnd::HoldsData;
            return -1;
        }
        return 100;
    }

    BurnEnd Blank(const std::string& drive, const BlankWatch& watch, std::string& detail) override {
        blanked.push_back(drive);
        watch(60);
        if (blankings.empty()) {
            return BurnEnd::Written;
        }
        const BurnEnd end = blankings.front();
        blankings.pop_front();
        detail = "injected";
        return end;
    }

    BurnEnd Burn(const std::string& drive, const std::string&, std::int64_t limit,
                 const BurnWatch& watch, std::int64_t& imageBlocks, std::string& detail) override {
        drivesBurnt.push_back(drive);
        limitsGiven.push_back(limit);
        imageBlocks = 120;
        if (!watch({4 * 1000 * 1000, 8 * 1000 * 1000, 50, 2.5e6})) {
            return BurnEnd::Cancelled;
        }
        if (ends.empty()) {
            return BurnEnd::Written;
        }
        const BurnEnd end = ends.front();
        ends.pop_front();
        detail = "injected";
        return end;
    }

    bool ReadBack(const std::string&, DiscDigests& digests, const BetweenChunks& betweenChunks,
                  bool& cancelled, std::string&) override {
        ++readBacks;
        cancelled = betweenChunks && !betweenChunks(1000);
        if (!discs.empty()) {
            digests = discs.front();
            discs.pop_front();
        }
        return !cancelled;
    }

    void Discard(const std::string& drive) override { discarded.push_back(drive); }
    void Eject(const std::string& drive) override { ejected.push_back(drive); }

    std::vector<std::string> ejected; // every drive whose tray was opened
};

} // namespace arbolink::test
