// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About box's texts, and who it names as the program's author. We name no person: the
// product stands as its own author. Its web page and mail address are the distributor's (see
// AboutAddresses in ui/AboutBox.h).

#include "Product.h"

#include <QtGlobal>

namespace arbolink::about {

inline constexpr const char* kCaption = QT_TRANSLATE_NOOP("arbolink::about", "ﾊﾞｰｼﾞｮﾝ情報");
inline constexpr const char* kUrlButton = "URL:";
inline constexpr const char* kUrlHint =
    QT_TRANSLATE_NOOP("arbolink::about", "URLをクリップボードにコピーします。");
inline constexpr const char* kMailButton = "Mail:";
inline constexpr const char* kMailHint =
    QT_TRANSLATE_NOOP("arbolink::about", "Mailアドレスをクリップボードにコピーします。");
inline constexpr const char* kOk = "OK";

inline constexpr const char* kAuthorHandle = kProductName;
// The years, the holder and the licence (GNU GPL version 3 or later, in the short name GNU
// programs use), on the one line the box has for them.
inline constexpr const char* kRightsLine = "(C) 2026 Arbolink  GPLv3+";

} // namespace arbolink::about
