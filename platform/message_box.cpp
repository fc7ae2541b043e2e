// Error messages: recorded for the tests, printed on standard error, and handed to the window's
// box once the game has one.
// Depends on: message_box.h.
#include "platform/message_box.h"

#include <cstdio>
#include <string>

const char* const MESSAGE_BOX_CAPTION = "Error";

namespace {
MessageBoxPresenter presenter = nullptr;
bool nonBlocking = false;
bool quiet = false;
std::string lastText;
int shownCount = 0;
}  // namespace

void messageBoxSetPresenter(MessageBoxPresenter present) { presenter = present; }
void messageBoxSetNonBlocking(bool value) { nonBlocking = value; }
void messageBoxSetQuiet(bool value) { quiet = value; }

void showErrorMessage(const char* text)
{
    lastText = text;
    ++shownCount;
    if (!quiet) {
        std::fprintf(stderr, "%s: %s", MESSAGE_BOX_CAPTION, text);
        if (lastText.empty() || lastText.back() != '\n') std::fputc('\n', stderr);
        std::fflush(stderr);
    }
    if (presenter) presenter(text, !nonBlocking);
}

const char* lastErrorMessage() { return lastText.c_str(); }
int errorMessageCount() { return shownCount; }
