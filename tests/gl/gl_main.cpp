// Entry point of the GL tests: one small GLUT window gives every test a current context.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(256, 256);
    glutCreateWindow("Kerb Runner GL tests");
    return RUN_ALL_TESTS();
}
