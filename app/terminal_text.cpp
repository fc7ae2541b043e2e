// Control bytes escaped for the terminal; long words and paths cut short.
// Depends on: terminal_text.h.
#include "app/terminal_text.h"

#include <cstdio>

namespace {

const unsigned char FIRST_PRINTABLE = 0x20;
const unsigned char DELETE_BYTE = 0x7f;
const size_t ESCAPE_SIZE = 5;  // "\xHH" and a NUL

}  // namespace

std::string terminalSafe(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        unsigned char c = (unsigned char)ch;
        if (c < FIRST_PRINTABLE || c == DELETE_BYTE) {
            char escaped[ESCAPE_SIZE];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            out += escaped;
        } else {
            out += ch;
        }
    }
    return out;
}

std::string quotedWord(const std::string& word)
{
    if (word.size() <= QUOTED_WORD_LIMIT) return "'" + word + "'";
    return "'" + word.substr(0, QUOTED_WORD_LIMIT) + "...' (" + std::to_string(word.size()) +
           " bytes)";
}

std::string shownPath(const std::string& path)
{
    return path.size() <= SHOWN_PATH_LIMIT ? path : quotedWord(path);
}
