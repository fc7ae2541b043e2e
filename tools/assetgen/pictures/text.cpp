// Text for the game's pictures, rendered from the DejaVu fonts with FreeType.
// Depends on: text.h, FreeType, the DejaVu fonts in KERB_FONT_DIR.
#include "tools/assetgen/pictures/text.h"

#include <cstdio>

#include <ft2build.h>
#include FT_FREETYPE_H

#ifndef KERB_FONT_DIR
#define KERB_FONT_DIR "/usr/share/fonts/truetype/dejavu"
#endif

namespace {

const char* const FONT_FILES[] = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"};
const int FONT_COUNT = 2;
const float FIXED_26_6 = 64.0f;
const float FIXED_16_16 = 65536.0f;
const unsigned FONT_DPI = 72;  // one point is one pixel

FT_Library library = nullptr;
FT_Face faces[FONT_COUNT] = {nullptr, nullptr};

// Next code point of a UTF-8 string; malformed bytes come out as themselves.
uint32_t nextCodePoint(const std::string& text, size_t& i)
{
    unsigned char c = (unsigned char)text[i++];
    int extra = c >= 0xf0 ? 3 : c >= 0xe0 ? 2 : c >= 0xc0 ? 1 : 0;
    uint32_t code = extra == 3 ? c & 0x07 : extra == 2 ? c & 0x0f : extra == 1 ? c & 0x1f : c;
    for (int k = 0; k < extra && i < text.size(); ++k)
        code = (code << 6) | ((unsigned char)text[i++] & 0x3f);
    return code;
}

FT_Face sizedFace(const Canvas& canvas, FontStyle style, float size)
{
    FT_Face face = faces[style];
    FT_Set_Char_Size(face, (FT_F26Dot6)std::lround(size * canvas.scaleX * FIXED_26_6),
                     (FT_F26Dot6)std::lround(size * canvas.scaleY * FIXED_26_6), FONT_DPI,
                     FONT_DPI);
    return face;
}

// Walks the glyphs of text, calling visit(glyphIndex, penX) with the pen in stored pixels;
// returns the pen position after the last glyph.
template <class Visit>
float walkGlyphs(FT_Face face, const std::string& text, Visit visit)
{
    float pen = 0.0f;
    FT_UInt previous = 0;
    for (size_t i = 0; i < text.size();) {
        FT_UInt glyph = FT_Get_Char_Index(face, nextCodePoint(text, i));
        if (previous && glyph && FT_HAS_KERNING(face)) {
            FT_Vector kern;
            if (FT_Get_Kerning(face, previous, glyph, FT_KERNING_UNFITTED, &kern) == 0)
                pen += kern.x / FIXED_26_6;
        }
        if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_BITMAP) == 0) {
            visit(glyph, pen);
            pen += face->glyph->linearHoriAdvance / FIXED_16_16;
        }
        previous = glyph;
    }
    return pen;
}

}  // namespace

bool openFonts()
{
    if (library) return true;
    if (FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "assetgen: FreeType could not be started\n");
        library = nullptr;
        return false;
    }
    for (int i = 0; i < FONT_COUNT; ++i) {
        std::string path = std::string(KERB_FONT_DIR) + "/" + FONT_FILES[i];
        if (FT_New_Face(library, path.c_str(), 0, &faces[i]) != 0) {
            std::fprintf(stderr, "assetgen: cannot read the font %s\n", path.c_str());
            closeFonts();
            return false;
        }
    }
    return true;
}

void closeFonts()
{
    for (FT_Face& face : faces) {
        if (face) FT_Done_Face(face);
        face = nullptr;
    }
    if (library) FT_Done_FreeType(library);
    library = nullptr;
}

float textWidth(const Canvas& canvas, FontStyle style, float size, const std::string& text)
{
    FT_Face face = sizedFace(canvas, style, size);
    return walkGlyphs(face, text, [](FT_UInt, float) {}) / canvas.scaleX;
}

void drawText(Canvas& canvas, FontStyle style, float size, float x, float baseline,
              const std::string& text, Color color, float opacity)
{
    FT_Face face = sizedFace(canvas, style, size);
    float originX = x * canvas.scaleX;
    int baseY = (int)std::lround(baseline * canvas.scaleY);
    walkGlyphs(face, text, [&](FT_UInt glyph, float pen) {
        if (FT_Load_Glyph(face, glyph, FT_LOAD_TARGET_LIGHT) != 0) return;
        if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) return;
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.num_grays < 2) return;
        int left = (int)std::lround(originX + pen) + face->glyph->bitmap_left;
        int top = baseY - face->glyph->bitmap_top;
        int pitch = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
        float toUnit = 1.0f / (float)(bitmap.num_grays - 1);
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            unsigned stored = bitmap.pitch < 0 ? bitmap.rows - 1 - row : row;
            const unsigned char* line = bitmap.buffer + (size_t)stored * pitch;
            for (unsigned col = 0; col < bitmap.width; ++col) {
                if (!line[col]) continue;
                blendPixel(canvas, left + (int)col, top + (int)row, color,
                           line[col] * toUnit * opacity);
            }
        }
    });
}

void drawTextCentered(Canvas& canvas, FontStyle style, float size, float centreX, float baseline,
                      const std::string& text, Color color, float opacity)
{
    float width = textWidth(canvas, style, size, text);
    drawText(canvas, style, size, centreX - 0.5f * width, baseline, text, color, opacity);
}

std::vector<std::string> wrapText(const Canvas& canvas, FontStyle style, float size,
                                  const std::string& text, float maxWidth)
{
    std::vector<std::string> lines;
    std::string line;
    size_t i = 0;
    while (i < text.size()) {
        size_t end = text.find(' ', i);
        if (end == std::string::npos) end = text.size();
        std::string word = text.substr(i, end - i);
        i = end + 1;
        if (word.empty()) continue;
        std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && textWidth(canvas, style, size, candidate) > maxWidth) {
            lines.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}
