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

// Decodes one UTF-8 sequence at i; 0 length when the bytes there are not a valid sequence.
std::size_t DecodeAt(std::string_view s, std::size_t i, char32_t& code) {
    auto c = static_cast<std::uint8_t>(s[i]);
    std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
    if (length == 0 || i + length > s.size() || !IsValidUtf8(s.substr(i, length))) {
        return 0;
    }
    code = length == 2 ? (c & 0x1F) : length == 3 ? (c & 0x0F) : (c & 0x07);
    for (std::size_t k = 1; k < length; ++k) {
        code = (code << 6) | (static_cast<std::uint8_t>(s[i + k]) & 0x3F);
    }
    return length;
}

void Encode(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace

std::string UpperCase(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    locale_t locale = Utf8Locale();
    for (std::size_t i = 0; i < utf8.size();) {
        char c = utf8[i];
        if (static_cast<unsigned char>(c) < 0x80) {
            out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
            ++i;
            continue;
        }
        char32_t code = 0;
        std::size_t length = DecodeAt(utf8, i, code);
        if (length == 0) {
            out += c;
            ++i;
            continue;
        }
        if (locale != static_cast<locale_t>(0)) {
            code = static_cast<char32_t>(towupper_l(static_cast<wint_t>(code), locale));
        }
        Encode(code, out);
        i += length;
    }
    return out;
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
