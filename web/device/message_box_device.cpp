// The error box in the browser: the page shows the text in a box over the canvas, captioned
// as on the desktop. Nothing in a browser may wait for the player inside the program, so the
// box never blocks; the game's fatal errors exit right after it, and the page keeps the box
// on the screen once the program has ended.
// Also sets the file-creation mask before the game runs (see below): this file is linked
// into every browser build, since main installs the box.
// Depends on: platform/message_box_device.h, platform/message_box.h, emscripten's EM_JS, the
// page's Module.kerbMessage (web/page/shell.html).
#include "platform/message_box_device.h"

#include "platform/message_box.h"

#include <emscripten/emscripten.h>

#include <sys/stat.h>

namespace {

// The browser program starts with a mask of 0777, so every file the game made (the table,
// the trace, the pictures) would get mode 000 and could not be read back. A desktop's usual
// mask instead, before anything writes a file.
const mode_t FILE_CREATION_MASK = 022;
const bool fileCreationMaskSet = (umask(FILE_CREATION_MASK), true);

}  // namespace

EM_JS(void, webShowMessage, (const char* caption, const char* text), {
    var captionText = UTF8ToString(caption);
    var bodyText = UTF8ToString(text);
    if (Module.kerbMessage) Module.kerbMessage(captionText, bodyText);
});

namespace {

void presentInPage(const char* text, bool /*wait*/)
{
    webShowMessage(MESSAGE_BOX_CAPTION, text);
}

}  // namespace

void messageBoxAttachWindow() { messageBoxSetPresenter(presentInPage); }
