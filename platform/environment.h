// What the player's session says: environment variables and the account's name.
// Depends on: the C library, POSIX.
#pragma once
#include <string>

// The variable's value, or null when it is not set.
const char* environmentVariable(const char* name);

// The name of the account the game runs under, or empty when there is none to be found.
std::string accountName();

// Whether standard output goes to a terminal (a progress line can then redraw itself).
bool outputIsTerminal();
