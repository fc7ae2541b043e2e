// Text from files on its way to a terminal: control bytes shown, never obeyed.
// Depends on: nothing.
#pragma once
#include <string>

// The text with every control byte (below 0x20, and 0x7f) written as \xHH, so a name in a
// file can neither move the cursor nor recolour the terminal. Everything else, backslashes
// of old tools' paths included, stays as it is.
std::string terminalSafe(const std::string& text);
