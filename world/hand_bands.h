// The hand and fist pictures are added onto the frame (GL_ONE, GL_ONE): a black texel adds
// nothing, and most of each picture is black. Their quad is drawn band by band, each band
// scissored to the columns whose texels can add anything; these are the sums behind it.
// Depends on: nothing. No GL.
#pragma once
#include <cstdint>
#include <vector>

// Bands of window rows the quad is cut into.
const int HAND_BAND_COUNT = 32;

// For each texel row of a picture (bottom row first), the first and last column whose
// texel is not black; first > last for an all-black row. Empty (width 0) when not measured.
struct AddingRows {
    int width = 0;
    int height = 0;
    std::vector<int> first;
    std::vector<int> last;
};

// A scissor box in GL window coordinates (origin bottom left).
struct ScissorBox {
    int x, y, width, height;
};

// Measures rgb (width x height x 3 bytes, bottom row first) into rows. Only pictures whose
// sides are powers of two are measured (their mipmap levels are plain 2 x 2 averages);
// rows stays empty otherwise and the quad is drawn whole.
void measureAddingRows(const uint8_t* rgb, int width, int height, AddingRows& rows);

// The box of band (0 .. bandCount - 1, top band first) of the picture drawn upright over
// the window rectangle left, top, right, bottom (y downwards) in a window windowHeight
// pixels high. Every pixel outside it that the quad covers in that band receives black
// from every mipmap level the driver may pick, wrapping at the edges included. Returns
// false when the band adds nothing at all.
bool handBandBox(const AddingRows& rows, float left, float top, float right, float bottom,
                 int windowHeight, int band, int bandCount, ScissorBox& box);

// The measured rows of the hand and fist pictures, filled while the textures load.
extern AddingRows handAddingRows;
extern AddingRows fistAddingRows;
