// JSON text for the trace and the asset inspector: strings, floats and vectors.
// Depends on: vector3.h.
#pragma once
#include "player/vector3.h"

#include <string>

// A quoted string. Bytes below a space, the quote, the backslash and anything past ASCII are
// escaped, so the text stays valid JSON whatever the bytes hold (NUL included).
std::string jsonString(const std::string& s);
// Enough digits to give the float back exactly; JSON has no infinity or NaN, so those are null.
std::string jsonFloat(float v);
// [x, y, z]
std::string jsonVector(const Vector3& v);
