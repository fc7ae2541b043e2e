// Whether this game is recorded, and what each frame writes down.
// Depends on: harness_recording.h, record.h, script_feed.h, the platform clock.
#include "app/harness_recording.h"

#include "app/record.h"
#include "app/script_feed.h"
#include "platform/clock.h"

namespace {

bool recording = false;

}  // namespace

void harnessStartRecording()
{
    recording = true;
    if (!harnessReplaying()) clockHold(0);
}

void recordFrameClock(long frame)
{
    if (recording && !harnessReplaying()) recordClock(frame, clockHoldCurrent());
}

void recordDeliveredEvent(long frame, const ScriptEvent& event)
{
    if (recording) recordEvent(frame, event);
}
