// Text from files and the command line on its way to a terminal: control bytes shown, never
// obeyed; long words and paths cut short.
// Depends on: nothing.
#pragma once
#include <cstddef>
#include <string>

// A word quoted in an error message keeps at most this many bytes.
const size_t QUOTED_WORD_LIMIT = 40;
// A path in a message is shown whole up to this many bytes, the most a file name may have
// (any path a player types or keeps fits); a longer one, which would fill the screen, as a
// long word is.
const size_t SHOWN_PATH_LIMIT = 255;

// The word in single quotes, or its first QUOTED_WORD_LIMIT bytes, "..." and its length.
std::string quotedWord(const std::string& word);

// The path as it is, or quoted by its first bytes and its length as a long word is.
std::string shownPath(const std::string& path);

// The text with every control byte (below 0x20, and 0x7f) written as \xHH, so a name in a
// file can neither move the cursor nor recolour the terminal. Everything else, backslashes
// of old tools' paths included, stays as it is.
std::string terminalSafe(const std::string& text);
