// The strings the shell launching operations hand over, the same on every platform.
#include "fs/Shell.h"

#include "Product.h"

#include <string_view>

namespace arbolink {

namespace {

// Erases the placeholder found at position and the character in front of it (normally the
// blank that separated it from the rest of the command line).
std::string ErasePlaceholderAt(std::string line, std::size_t position, std::size_t length) {
    std::size_t from = position;
    if (from > 0) {
        --from;
        // Step back over UTF-8 continuation bytes so that no character is cut in two.
        while (from > 0 && (static_cast<unsigned char>(line[from]) & 0xC0) == 0x80) {
            --from;
        }
    }
    line.erase(from, position + length - from);
    return line;
}

} // namespace

std::string MailToText(const std::string& argument) {
    return argument + "cc= &" + "subject=『" + kProductName + "』" + kVersionText + " について&" +
           "body= &";
}

std::string RemovePlaceholder(const std::string& commandLine) {
    constexpr std::string_view kQuoted = "\"%1\"";
    constexpr std::string_view kBare = "%1";
    if (std::size_t at = commandLine.find(kQuoted); at != std::string::npos) {
        return ErasePlaceholderAt(commandLine, at, kQuoted.size());
    }
    if (std::size_t at = commandLine.find(kBare); at != std::string::npos) {
        return ErasePlaceholderAt(commandLine, at, kBare.size());
    }
    return commandLine;
}

} // namespace arbolink
