// The names of the sounds the game started since the trace last asked, and the count of
// open handles, for every sound backend.
// Depends on: sound_names.h, sound.h.
#include "platform/sound_names.h"

#include "platform/sound.h"

#include <string>
#include <vector>

const char* const NO_SOUND_DEVICE_MESSAGE =
    "kerbrunner: no sound device found, playing without sound\n";

namespace {
const int STARTED_LOG_LIMIT = 64;
int openHandles = 0;
std::vector<std::string> startedNames;
std::vector<std::string> takenNames;  // keeps the strings handed out alive until the next take
}  // namespace

void soundNoteStarted(const char* name)
{
    if ((int)startedNames.size() < STARTED_LOG_LIMIT) startedNames.push_back(name);
}

void soundNoteOpened() { ++openHandles; }
void soundNoteFreed() { --openHandles; }

int soundTakeStartedNames(const char** names, int capacity)
{
    takenNames.swap(startedNames);
    startedNames.clear();
    int n = 0;
    for (const std::string& s : takenNames) {
        if (n >= capacity) break;
        names[n++] = s.c_str();
    }
    return n;
}

int soundOpenHandleCount() { return openHandles; }
