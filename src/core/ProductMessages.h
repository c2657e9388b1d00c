// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What both programs say of the product in their own words.

#include "core/Phrase.h"

namespace arbolink {

// What --version says of the licence after the copyright line, in both programs.
ARBOLINK_PHRASE(kLicenceNotice,
                "ライセンス GPL-3.0-or-later: GNU GPL 第 3 版またはそれ以降の版 "
                "<https://www.gnu.org/licenses/gpl-3.0.html>\n"
                "これはフリーソフトウェアです。自由に変更し、再配布できます。\n"
                "法律の許す限り、何の保証もありません。\n",
                "Licence GPL-3.0-or-later: GNU GPL version 3 or later "
                "<https://www.gnu.org/licenses/gpl-3.0.html>\n"
                "This is free software: you are free to change and redistribute it.\n"
                "There is NO WARRANTY, to the extent permitted by law.\n");

} // namespace arbolink
