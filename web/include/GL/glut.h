// The classic name of the window library header: the same declarations as GL/freeglut.h.
// Depends on: GL/freeglut.h.
#pragma once

#include <GL/freeglut.h>
