// The player's name, the window globals, the reshape callback and the window-pixel projection.
// Depends on: startup.h, GL/GLU.
#include "app/startup.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <cstring>

const char* const NAME_PROMPT = "please enter your name: ";
const char* const START_MESSAGE =
    "\nthank you, please be patient for a few seconds and then press ALT-TAB to start KerbRunner...";
const char* const WINDOW_TITLE = "Kerb Runner";

char nameInput[NAME_INPUT_SIZE] = "a      ";
char playerName[PLAYER_NAME_SIZE] = "a      ";
int windowId = 0;
float windowWidth = INITIAL_WINDOW_WIDTH;
float windowHeight = INITIAL_WINDOW_HEIGHT;

void readNameWord(std::FILE* in)
{
    // A bounded read: the word lands in a scratch buffer so that end of input leaves the
    // initial name untouched, exactly like an unbounded read would.
    char word[NAME_READ_LIMIT + 1];
    if (std::fscanf(in, "%39s", word) == 1) std::memcpy(nameInput, word, std::strlen(word) + 1);
}

void storePlayerName(const char* input)
{
    std::memcpy(playerName, input, PLAYER_NAME_SIZE - 1);
}

void setNameFromArgument(const char* name)
{
    size_t n = std::strlen(name);
    if (n > (size_t)NAME_READ_LIMIT) n = NAME_READ_LIMIT;
    std::memcpy(nameInput, name, n);
    nameInput[n] = '\0';
    storePlayerName(nameInput);
}

void reshapeWindow(int width, int height)
{
    windowWidth = (float)width;
    windowHeight = (float)height;
    if (height == 0) height = 1;
    float aspect = (float)(width * 1.0 / height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, width, height);
    gluPerspective(FIELD_OF_VIEW_DEGREES, aspect, NEAR_PLANE, FAR_PLANE);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void beginWindowPixels()
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, windowWidth, windowHeight, 0, 0, 1);
    glMatrixMode(GL_MODELVIEW);
}

void endWindowPixels()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
