// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The divide onto optical discs, for the window's Divide with an optical drive as the split
// destination and for the command-line tool's --burn: the discs are planned for the blank
// disc in the drive with the image's own room counted, each disk is staged in a folder, burnt
// as soon as it is written and read back from the disc before the next one is asked for.

#include "core/Host.h"
#include "core/Session.h"
#include "fs/Burner.h"

#include <cstdint>
#include <string>

namespace arbolink {

// Divides fields.source (already checked) onto discs burnt with drive, through burner.
// limitBlocks above 0 is the size of every disc; 0 plans for the blank disc in the drive,
// asking for one while there is none. Each disk is staged in stagingFolder and kept there;
// with stagingFolder empty, in a fresh folder of the user's cache that is removed at the end,
// each disk emptied from it once burnt.
void DivideOntoDiscs(Session& session, Host& host, MainFields fields, Burner& burner,
                     const std::string& drive, std::int64_t limitBlocks,
                     const std::string& stagingFolder);

} // namespace arbolink
