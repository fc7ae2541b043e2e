// The two calls the window library makes into our GL: when its WebGL 1 context is current, and
// at every buffer swap.
// Depends on: nothing.
#pragma once

// Compiles the program standing in for the fixed function, creates the buffers and sets every
// state to GL's defaults, the viewport and scissor box to the drawing buffer's size.
void webGlContextReady(int width, int height);

// Draws anything still gathered (bitmaps): the frame is complete for the swap.
void webGlFrameDone();
