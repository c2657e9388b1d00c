// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the line splitter and both set-file parsers: none may crash, hang
// or fail in any way other than a format error.
#include "core/SetFormat.h"
#include "core/rFile/SetReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    arbolink::SplitFields(bytes);
    try {
        arbolink::ParseIdentity(bytes);
    } catch (const arbolink::SetFormatError&) {
    }
    arbolink::FileTable table;
    table.Allocate(arbolink::SplitLines(bytes).size());
    std::vector<std::string> folders;
    try {
        arbolink::ParseIndex(bytes, table, folders);
    } catch (const arbolink::SetFormatError&) {
    }
    return 0;
}
