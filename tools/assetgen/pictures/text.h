// Text for the game's pictures, rendered from the DejaVu fonts with FreeType.
// Depends on: canvas.h, FreeType.
#pragma once
#include <string>
#include <vector>

#include "tools/assetgen/pictures/canvas.h"

enum FontStyle { FONT_REGULAR, FONT_BOLD };

// Loads the fonts; false (after printing why) when they cannot be read.
bool openFonts();
void closeFonts();

// Widths and positions are in the canvas's layout units; size is the em size in the same
// units. Text is UTF-8.
float textWidth(const Canvas& canvas, FontStyle style, float size, const std::string& text);
void drawText(Canvas& canvas, FontStyle style, float size, float x, float baseline,
              const std::string& text, Color color, float opacity = 1.0f);
void drawTextCentered(Canvas& canvas, FontStyle style, float size, float centreX, float baseline,
                      const std::string& text, Color color, float opacity = 1.0f);
// Splits text at blanks into lines no wider than maxWidth (a single long word stays whole).
std::vector<std::string> wrapText(const Canvas& canvas, FontStyle style, float size,
                                  const std::string& text, float maxWidth);
