// The player's name and the window globals.
// Depends on: startup.h.
#include "app/startup.h"

#include <cstring>

const char* const NAME_PROMPT = "please enter your name: ";
const char* const START_MESSAGE =
    "\nthank you, please be patient for a few seconds and then press ALT-TAB to start KerbRunner...";
const char* const WINDOW_TITLE = "Kerb Runner";

char nameInput[NAME_INPUT_SIZE] = "a      ";
char playerName[PLAYER_NAME_SIZE] = "a      ";
int windowId = 0;
float windowWidth = INITIAL_WINDOW_WIDTH;
float windowHeight = INITIAL_WINDOW_HEIGHT;

void readNameWord(std::FILE* in)
{
    // A bounded read: the word lands in a scratch buffer so that end of input leaves the
    // initial name untouched, exactly like an unbounded read would.
    char word[NAME_READ_LIMIT + 1];
    if (std::fscanf(in, "%39s", word) == 1) std::memcpy(nameInput, word, std::strlen(word) + 1);
}

void storePlayerName(const char* input)
{
    std::memcpy(playerName, input, PLAYER_NAME_SIZE - 1);
}

void setNameFromArgument(const char* name)
{
    size_t n = std::strlen(name);
    if (n > (size_t)NAME_READ_LIMIT) n = NAME_READ_LIMIT;
    std::memcpy(nameInput, name, n);
    nameInput[n] = '\0';
    storePlayerName(nameInput);
}
