// Build-time tool of the browser build (a host program, not part of the game): reads the
// glyph tables of the three bitmap fonts the game writes with from the host's static window
// library it is linked with, and writes them as a C++ source that web/glut/ compiles, so
// that the browser draws the very glyphs the desktop draws. Usage: font_extract OUT.cpp
// Depends on: the static freeglut library (its internal font records), web/glut/bitmap_font.h
// (the layout of what it writes).
#include <cstdio>
#include <string>

// The window library's own record of a bitmap font: each character is its width in pixels,
// then `height` rows (bottom row first) of (width + 7) / 8 bytes.
extern "C" {
struct SFG_Font {
    char* name;
    int quantity;
    int height;
    const unsigned char** characters;
    float xorig, yorig;
};
extern SFG_Font fgFontTimesRoman24;
extern SFG_Font fgFontHelvetica18;
extern SFG_Font fgFontHelvetica12;
}

namespace {

// Limits of a sane font record; anything beyond them is refused rather than copied.
const int MAX_CHARACTERS = 256;
const int MAX_HEIGHT = 64;
const int MAX_WIDTH = 64;
const int BYTES_PER_LINE = 16;

struct FontToWrite {
    const SFG_Font* font;
    const char* variable;
};

bool writeFont(FILE* out, const FontToWrite& f)
{
    const SFG_Font& font = *f.font;
    if (font.quantity <= 0 || font.quantity > MAX_CHARACTERS || font.height <= 0 ||
        font.height > MAX_HEIGHT || !font.characters) {
        std::fprintf(stderr, "font_extract: %s: unexpected font record (quantity %d, height %d)\n",
                     f.variable, font.quantity, font.height);
        return false;
    }
    for (int c = 0; c < font.quantity; ++c) {
        const unsigned char* glyph = font.characters[c];
        if (!glyph) continue;
        const int width = glyph[0];
        if (width > MAX_WIDTH) {
            std::fprintf(stderr, "font_extract: %s: character %d is %d pixels wide\n", f.variable,
                         c, width);
            return false;
        }
        const int size = 1 + font.height * ((width + 7) / 8);
        std::fprintf(out, "const unsigned char %s_%d[] = {", f.variable, c);
        for (int i = 0; i < size; ++i)
            std::fprintf(out, "%s%d,", i % BYTES_PER_LINE == 0 ? "\n    " : " ", glyph[i]);
        std::fprintf(out, "\n};\n");
    }
    std::fprintf(out, "const unsigned char* const %s_characters[] = {", f.variable);
    for (int c = 0; c < font.quantity; ++c) {
        if (font.characters[c])
            std::fprintf(out, "\n    %s_%d,", f.variable, c);
        else
            std::fprintf(out, "\n    nullptr,");
    }
    std::fprintf(out, "\n};\n\n}  // namespace\n\n");
    std::fprintf(out, "const BitmapFont %s = {%d, %d, (float)%.9g, (float)%.9g, %s_characters};\n\n", f.variable,
                 font.quantity, font.height, font.xorig, font.yorig, f.variable);
    std::fprintf(out, "namespace {\n\n");
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: font_extract OUT.cpp\n");
        return 2;
    }
    const FontToWrite fonts[] = {{&fgFontTimesRoman24, "bitmapFontTimesRoman24"},
                                 {&fgFontHelvetica18, "bitmapFontHelvetica18"},
                                 {&fgFontHelvetica12, "bitmapFontHelvetica12"}};
    const std::string path = argv[1];
    const std::string temporary = path + ".tmp";
    FILE* out = std::fopen(temporary.c_str(), "w");
    if (!out) {
        std::perror(temporary.c_str());
        return 1;
    }
    std::fprintf(out, "// Written by web/fonts/font_extract.cpp from the host's window library: the "
                      "glyphs\n// of the game's three bitmap fonts. Do not edit.\n");
    std::fprintf(out, "#include \"web/glut/bitmap_font.h\"\n\nnamespace {\n\n");
    bool ok = true;
    for (const FontToWrite& f : fonts) ok = ok && writeFont(out, f);
    std::fprintf(out, "}  // namespace\n");
    if (std::fclose(out) != 0 || !ok) {
        std::remove(temporary.c_str());
        return 1;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::perror(path.c_str());
        return 1;
    }
    return 0;
}
