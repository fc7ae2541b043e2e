// JSON text shared by the trace and the asset inspector.
// Depends on: json_text.h.
#include "app/json_text.h"

#include <cmath>
#include <cstdio>

std::string jsonString(const std::string& s)
{
    std::string out = "\"";
    for (char c : s) {
        unsigned char u = (unsigned char)c;
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20 || u >= 0x7f) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", (unsigned)u);
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string jsonFloat(float v)
{
    if (!std::isfinite(v)) return "null";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", (double)v);
    return buf;
}

std::string jsonVector(const Vector3& v)
{
    return "[" + jsonFloat(v.x) + ", " + jsonFloat(v.y) + ", " + jsonFloat(v.z) + "]";
}
