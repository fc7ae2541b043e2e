// JSON text of the trace and the inspector: escapes and non-finite numbers.
#include "app/json_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

TEST(JsonText, EscapesQuotesControlBytesAndBytesPastAsciiAndNullsNonFiniteFloats)
{
    EXPECT_EQ(jsonString(std::string("a\"b\\c", 5)), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(jsonString(std::string("x\0y\n\x7f\xe9", 6)), "\"x\\u0000y\\u000a\\u007f\\u00e9\"");
    EXPECT_EQ(jsonFloat(0.1f), "0.100000001");
    EXPECT_EQ(jsonFloat(NAN), "null");
    EXPECT_EQ(jsonFloat(-INFINITY), "null");
    EXPECT_EQ(jsonVector(Vector3(1, -2.5f, 0)), "[1, -2.5, 0]");
}

}  // namespace
