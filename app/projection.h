// The perspective the street is drawn with, which the autopilot's eyes share.
// Depends on: nothing.
#pragma once

const double FIELD_OF_VIEW_DEGREES = 45.0;   // vertical
const double NEAR_PLANE = 1.0;
const double FAR_PLANE = 10000.0;
