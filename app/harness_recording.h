// Recording a whole game while it is played: once the recording is open (recordOpen) and the
// name is known, the clock holds one reading per frame and every delivered event is written.
// Depends on: record.h (the file), script_feed.h (a replay records no clock of its own),
// the platform clock.
#pragma once
#include "app/script.h"

void harnessStartRecording();
// At the start of a frame: the clock reading the frame plays with, so that its replay can
// read the same.
void recordFrameClock(long frame);
// An event about to reach the game in this frame.
void recordDeliveredEvent(long frame, const ScriptEvent& event);
