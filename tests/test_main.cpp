// Entry point of the unit tests and, built with KERB_TEST_GL_WINDOW, of the GL tests, where one
// small GLUT window gives every test a current context. Errors the tests provoke on purpose are
// recorded for lastErrorMessage() instead of printed, and death tests run in a freshly started
// process.
// Depends on: message_box.h, GoogleTest, GLUT (GL tests).
#ifdef KERB_TEST_GL_WINDOW
#include <GL/freeglut.h>
#endif
#include <gtest/gtest.h>

#include <cstring>

#include "platform/message_box.h"

namespace {

// A death test's child process keeps its standard error: the parent matches its messages
// there, and shows them only when the test fails.
bool isDeathTestChild(int argc, char** argv)
{
    const char* const flag = "--gtest_internal_run_death_test";
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool deathTestChild = isDeathTestChild(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    messageBoxSetQuiet(!deathTestChild);
#ifdef KERB_TEST_GL_WINDOW
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(256, 256);
    glutCreateWindow("Kerb Runner GL tests");
#endif
    return RUN_ALL_TESTS();
}
