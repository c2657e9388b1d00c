#include "fs/Shell.h"

#include "Product.h"

namespace arbolink {

namespace {

// Erases the placeholder found at position with the character in front of it (the blank
// that parts it from the program), or without one when it opens the line.
std::string Erased(const std::string& line, std::size_t position, std::size_t length) {
    std::string result = line;
    const std::size_t start = position == 0 ? 0 : position - 1;
    result.erase(start, length + (position - start));
    return result;
}

} // namespace

std::string MailToText(const std::string& argument) {
    return argument + "cc= &" + "subject=『" + kProductName + "』" + kVersionText + " について&" +
           "body= &";
}

std::string RemovePlaceholder(const std::string& commandLine) {
    const std::size_t quoted = commandLine.find("\"%1\"");
    if (quoted != std::string::npos) {
        return Erased(commandLine, quoted, 4);
    }
    const std::size_t bare = commandLine.find("%1");
    return bare == std::string::npos ? commandLine : Erased(commandLine, bare, 2);
}

} // namespace arbolink
