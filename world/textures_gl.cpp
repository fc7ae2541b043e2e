// Texture slots: reads each picture of the slot table and builds its mipmapped texture.
// Depends on: app/terminal_text.h, bmp_image.h, hand_bands.h, mipmaps.h, texture_table.h, the
// platform message box and heap tuning, OpenGL/GLU.
#include "world/textures_gl.h"
#include "app/terminal_text.h"

#include "platform/heap_tuning.h"
#include "platform/message_box.h"
#include "world/bmp_image.h"
#include "world/hand_bands.h"
#include "world/mipmaps.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {
// A picture the game cannot use ends it, once the player has closed its message.
const int BAD_PICTURE_EXIT_STATUS = 1;
// The file as the game opened it, and the reader's reason.
const char* const PICTURE_REFUSED_FORMAT = "kerbrunner: picture %s refused: %s\n";
}

unsigned int slotTextures[TEXTURE_SLOT_COUNT];

namespace {
// The levels of a picture with power-of-two sides, made by our own builder (the same bytes
// as GLU's, in a third of the time: no copy of the picture, no conversion, one buffer that
// each level is halved into in place). GLU still scales any other picture.
void uploadMipmaps(const uint8_t* pixels, int width, int height)
{
    glTexImage2D(GL_TEXTURE_2D, 0, RGB_IMAGE_COMPONENTS, width, height, 0, GL_RGB,
                 GL_UNSIGNED_BYTE, pixels);
    int levels = mipmapLevelCount(width, height);
    if (levels == 1) return;
    int w = halvedSide(width), h = halvedSide(height);
    // Uninitialised on purpose: every byte is written before it is read.
    std::unique_ptr<uint8_t[]> level(new uint8_t[(size_t)w * h * RGB_IMAGE_COMPONENTS]);
    halveLevel(pixels, width, height, RGB_IMAGE_COMPONENTS, level.get());
    for (int l = 1; l < levels; ++l) {
        glTexImage2D(GL_TEXTURE_2D, l, RGB_IMAGE_COMPONENTS, w, h, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     level.get());
        if (l + 1 == levels) break;
        halveLevel(level.get(), w, h, RGB_IMAGE_COMPONENTS, level.get());
        w = halvedSide(w);
        h = halvedSide(h);
    }
}
}  // namespace

namespace {
// The picture, or its message box and the end of the program.
RgbImage* usablePicture(const char* path)
{
    std::string message, reason;
    RgbImage* image = loadBmpImage(path, &message, &reason);
    if (!image) {
        // The box keeps its fixed text; the console says which file and exactly why.
        std::fprintf(stderr, PICTURE_REFUSED_FORMAT, shownPath(path).c_str(), reason.c_str());
        showErrorMessage(message.c_str());
        std::exit(BAD_PICTURE_EXIT_STATUS);
    }
    return image;
}

// A picture read and checked whose texture is named but not yet made.
struct PendingTexture {
    unsigned int name;
    int slot;
    RgbImage* image;
};
std::vector<PendingTexture> pendingTextures;
// The first menu page, which the first frame shows, as read and checked at start-up.
RgbImage* firstPage = nullptr;

unsigned int newTextureName(unsigned int* slots, int slot)
{
    GLuint name = 0;
    glGenTextures(1, &name);
    slots[slot] = name;
    return name;
}

// Makes the texture's levels from the picture, then frees the picture.
void makeTexture(unsigned int name, int slot, RgbImage* image)
{
    glBindTexture(GL_TEXTURE_2D, name);

    // The filters go on before the levels rather than after. The texture and every pixel drawn
    // with it are the same, but Mesa's software driver then holds a 1024 x 1024 picture in
    // about 7.6 MB instead of 12 MB (measured): 45 MB less for the game's 49 pictures.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);

    GLint savedAlignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &savedAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, RGB_IMAGE_ROW_ALIGNMENT);
    if (hasPowerOfTwoSides(image->width, image->height))
        uploadMipmaps(image->pixels, image->width, image->height);
    else
        gluBuild2DMipmaps(GL_TEXTURE_2D, RGB_IMAGE_COMPONENTS, image->width, image->height, GL_RGB,
                          GL_UNSIGNED_BYTE, image->pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, savedAlignment);
    // The HUD draws only where the hand pictures are not black.
    if (slot == HAND_SLOT || slot == FIST_SLOT)
        measureAddingRows(image->pixels, image->width, image->height,
                          slot == HAND_SLOT ? handAddingRows : fistAddingRows);
    freeRgbImage(image);
}
}  // namespace

void loadTexture(unsigned int* slots, const char* path, int slot)
{
    RgbImage* image = nullptr;
    if (slot == MENU_FIRST_SLOT) std::swap(image, firstPage);
    if (!image) image = usablePicture(path);
    makeTexture(newTextureName(slots, slot), slot, image);
}

void readAllTextures(unsigned int* slots, bool withMenuPages)
{
    // Each picture's file passes through a buffer of a few MB freed before the next is read,
    // and each texture's levels through another. By default each comes as fresh zeroed pages
    // from the kernel and goes back when freed, so every picture pays for its pages again;
    // kept in the heap they serve the next picture: a fifth fewer page faults in start-up,
    // the same peak memory. The spare pages go back once all textures are made.
    heapKeepLargeBuffers();
    for (int i = 0; i < textureFileCount; ++i) {
        const TextureFile& file = textureFiles[i];
        RgbImage* image = usablePicture(file.path);
        if (withMenuPages || !isMenuPageSlot(file.slot))
            pendingTextures.push_back(
                PendingTexture{newTextureName(slots, file.slot), file.slot, image});
        // A page the menu loads later is read now all the same, so that an unusable one is
        // refused at start-up, in table order, as every other picture is. The first frame
        // shows the first page: that one is kept for it.
        else if (file.slot == MENU_FIRST_SLOT && !firstPage)
            firstPage = image;
        else
            freeRgbImage(image);
    }
}

namespace {
// Leaves the last texture made bound, as loadTexture does.
void makeEveryPendingTexture()
{
    for (const PendingTexture& t : pendingTextures) makeTexture(t.name, t.slot, t.image);
    std::vector<PendingTexture>().swap(pendingTextures);
    heapReleaseLargeBuffers();
}
}  // namespace

void makePendingTextures()
{
    if (pendingTextures.empty()) return;
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    makeEveryPendingTexture();
    glBindTexture(GL_TEXTURE_2D, (GLuint)bound);
}

void loadAllTextures(unsigned int* slots, bool withMenuPages)
{
    readAllTextures(slots, withMenuPages);
    makeEveryPendingTexture();
}
