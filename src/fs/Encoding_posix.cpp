// SPDX-License-Identifier: GPL-3.0-or-later
// CP932 decoding with glibc's iconv.
#include "fs/Encoding.h"

#include <cstdint>
#include <iconv.h>
#include <locale.h>
#include <wctype.h>

namespace arbolink {

namespace {

class IconvHandle {
public:
    IconvHandle() : handle_(iconv_open("UTF-8", "CP932")) {}
    ~IconvHandle() {
        if (valid()) {
            iconv_close(handle_);
        }
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return handle_; }

private:
    iconv_t handle_;
};

// The C.UTF-8 locale's case tables are Unicode's simple case mapping.
locale_t Utf8Locale() {
    static locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    return locale;
}

} // namespace

char32_t UpperCaseOf(char32_t code) {
    locale_t locale = Utf8Locale();
    if (locale == static_cast<locale_t>(0)) {
        return code;
    }
    return static_cast<char32_t>(towupper_l(static_cast<wint_t>(code), locale));
}

bool Cp932ToUtf8(std::string_view bytes, std::string& utf8) {
    IconvHandle converter;
    if (!converter.valid()) {
        return false;
    }
    utf8.clear();
    // A CP932 character of one or two bytes becomes at most three UTF-8 bytes.
    std::string out(bytes.size() * 3 + 4, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    if (iconv(converter.get(), &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        return false;
    }
    out.resize(out.size() - outLeft);
    utf8 = std::move(out);
    return true;
}

} // namespace arbolink
