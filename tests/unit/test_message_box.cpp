// The error box's console side: what is printed, and what is recorded for the tests.
// Depends on: message_box.h, GoogleTest.
#include <gtest/gtest.h>

#include <string>

#include "platform/message_box.h"

namespace test_message_box {

TEST(MessageBoxConsole, QuietRecordsTheTextAndPrintsNothingOtherwiseOneErrorLine)
{
    struct Case {
        bool quiet;
        const char* text;
        const char* printed;
    };
    const Case cases[] = {
        {true, "Unknown DIB file format.", ""},
        {true, "Failed to open DIB file a.bmp.\n", ""},
        {false, "Unknown DIB file format.", "Error: Unknown DIB file format.\n"},
        {false, "Failed to open DIB file a.bmp.\n", "Error: Failed to open DIB file a.bmp.\n"},
    };
    for (const Case& c : cases) {
        messageBoxSetQuiet(c.quiet);
        int before = errorMessageCount();
        testing::internal::CaptureStderr();
        showErrorMessage(c.text);
        std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_EQ(printed, c.printed) << "quiet " << c.quiet;
        EXPECT_STREQ(lastErrorMessage(), c.text);
        EXPECT_EQ(errorMessageCount(), before + 1);
    }
    messageBoxSetQuiet(true);  // as the test run's entry point set it
}

}  // namespace test_message_box
