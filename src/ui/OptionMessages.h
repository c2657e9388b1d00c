// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts of the options dialog.

#include <QtGlobal>

namespace arbolink {

inline constexpr const char* kOptionCaption = QT_TRANSLATE_NOOP("arbolink::Options", "オプション");

// Every line that carries text begins with two ideographic spaces.
inline constexpr const char* kOptionExplanation =
    QT_TRANSLATE_NOOP("arbolink::Options", "　　分割先の空き容量の最大何%を使用するか指定します。\n"
                                           "\n"
                                           "　　仮りに100%にしても特に問題はないはずですが、\n"
                                           "　　デフォルトでは、95%にしています。\n"
                                           "\n"
                                           "　　しかし、95%でも分割実行を失敗する場合は、\n"
                                           "　　95%未満にするとうまくいく可能性があります。");

} // namespace arbolink
