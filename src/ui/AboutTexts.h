#pragma once
// The About box's texts, and who it names as the program's author. We name no person: the
// product stands as its own author, its web page is the manual installed beside the program
// (see ManualUrl in ui/Help.h), and its mail address is one that can reach nobody.

#include "Product.h"

namespace arbolink::about {

inline constexpr const char* kCaption = "ﾊﾞｰｼﾞｮﾝ情報";
inline constexpr const char* kUrlButton = "URL:";
inline constexpr const char* kUrlHint = "URLをクリップボードにコピーします。";
inline constexpr const char* kMailButton = "Mail:";
inline constexpr const char* kMailHint = "Mailアドレスをクリップボードにコピーします。";
inline constexpr const char* kOk = "OK";

inline constexpr const char* kAuthorHandle = kProductName;
// The ".invalid" domain is reserved and never resolves, so a message written to it stays in
// the user's mail program instead of reaching a stranger. A distributor puts a real address
// here.
inline constexpr const char* kMailAddress = "arbolink@example.invalid";
inline constexpr const char* kRightsLine = "Copyright (C) 2026 Arbolink";

} // namespace arbolink::about
