// Kerb Runner: asks for the player's name, opens the window and runs the game.
// Depends on: startup, frame loop, input, options, harness, the texture table, the platform
// layer, GLUT.
#include "app/data_location.h"
#include "app/bench_floors_gl.h"
#include "app/frame_draw.h"
#include "app/autopilot.h"
#include "app/harness.h"
#include "app/highscore_table.h"
#include "app/input.h"
#include "app/options.h"
#include "app/record.h"
#include "app/startup.h"
#include "platform/clock.h"
#include "platform/file_read.h"
#include "platform/message_box.h"
#include "platform/message_box_device.h"
#include "platform/pointer.h"
#include "platform/pointer_device.h"
#include "world/texture_table.h"

#include <GL/freeglut.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const unsigned int DISPLAY_MODE = GLUT_DOUBLE | GLUT_DEPTH;  // 18: RGBA, double-buffered, depth
const int WINDOWED_WIDTH = 1024;
const int WINDOWED_HEIGHT = 768;
const int EXIT_USAGE = 2;
const int EXIT_NO_DISPLAY = 1;
const int EXIT_NO_DATA = 1;
const size_t WORKING_DIRECTORY_CAPACITY = 4096;
const mode_t PICTURES_DIRECTORY_MODE = 0777;  // less the user's umask

const char* const NO_DISPLAY_MESSAGE =
    "kerbrunner: the game needs a graphical display, and none is set (DISPLAY is empty)\n";
// The working directory, the file looked for and why it is not usable.
const char* const NO_DATA_MESSAGE =
    "kerbrunner: no game data in %s (%s is %s).\n"
    "Start the game with ./play, or name the directory of the generated data with --data,\n"
    "for example from the source directory: build/kerbrunner --data build/data\n";
// Started without --data, the places looked in beside the program, one per line.
const char* const NO_DATA_BESIDE_PROGRAM_MESSAGE =
    "kerbrunner: no game data beside the program; looked in:\n%s"
    "Start the game with ./play, or name the directory of the generated data with --data,\n"
    "for example from the source directory: build/kerbrunner --data build/data\n";

bool displayAvailable()
{
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (display && *display) || (wayland && *wayland);
}

// The first picture the game loads stands for all its data: without it the game could only
// stop at its first message box, after the player has typed a name.
std::string workingDirectory()
{
    std::vector<char> cwd(WORKING_DIRECTORY_CAPACITY);
    return getcwd(cwd.data(), cwd.size()) ? std::string(cwd.data()) : std::string(".");
}

// The pictures' directory as an absolute path (the game changes directory later), made
// when it is missing.
bool preparePicturesDirectory(std::string& dir)
{
    if (dir[0] != '/') dir = workingDirectory() + "/" + dir;
    if (mkdir(dir.c_str(), PICTURES_DIRECTORY_MODE) != 0 && errno != EEXIST) {
        std::fprintf(stderr, "kerbrunner: cannot make the pictures directory %s: %s\n",
                     dir.c_str(), std::strerror(errno));
        return false;
    }
    harnessWritePictures(dir);
    return true;
}

bool gameDataPresent()
{
    const char* probe = texturePathForSlot(MENU_FIRST_SLOT);
    FileReadError error = readFile(probe).error;
    // Too big to read here is still there: the picture loader says what is wrong with it.
    if (error == FileReadError::None || error == FileReadError::OutOfMemory) return true;
    std::fprintf(stderr, NO_DATA_MESSAGE, workingDirectory().c_str(), probe,
                 fileReadErrorText(error));
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    std::string error;
    if (!parseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "kerbrunner: %s\n%s", error.c_str(), usageText().c_str());
        return EXIT_USAGE;
    }
    if (options.help) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("Kerb Runner %s\n", KERB_VERSION);
        return 0;
    }
    if (!options.scriptPath.empty() && !harnessLoadScript(options.scriptPath, error)) {
        std::fprintf(stderr, "kerbrunner: %s\n", error.c_str());
        return EXIT_USAGE;
    }
    if (!options.tracePath.empty() && !harnessOpenTrace(options.tracePath, error)) {
        std::fprintf(stderr, "kerbrunner: %s\n", error.c_str());
        return EXIT_USAGE;
    }
    if (!options.recordPath.empty() && !recordOpen(options.recordPath, error)) {
        std::fprintf(stderr, "kerbrunner: %s\n", error.c_str());
        return EXIT_USAGE;
    }
    // Pictures are written after the change into the data directory.
    if (!options.picturesDir.empty() && !preparePicturesDirectory(options.picturesDir)) return EXIT_USAGE;
    // Without --data the data is where the build or the install put it beside the program.
    std::string dataDir = options.dataDir, lookedIn;
    if (dataDir.empty())
        dataDir = findDataDirectory(dataDirectoryCandidates(programDirectory()),
                                    texturePathForSlot(MENU_FIRST_SLOT), lookedIn);
    if (!dataDir.empty() && chdir(dataDir.c_str()) != 0) {
        std::fprintf(stderr, "kerbrunner: cannot use the data directory %s: %s\n",
                     dataDir.c_str(), std::strerror(errno));
        return EXIT_USAGE;
    }
    if (options.fixedStepMs > 0) clockUseFixedStep(options.fixedStepMs);
    if (options.benchStartup) benchRequestStartupStamp();
    if (options.benchFloorsFrame > 0) benchRequestFloors(options.benchFloorsFrame);
    if (!options.scriptPath.empty() || options.demo) messageBoxSetNonBlocking(true);

    // Both before the name prompt, so that nobody types a name for a game that cannot start.
    if (!displayAvailable()) {
        std::fputs(NO_DISPLAY_MESSAGE, stderr);
        return EXIT_NO_DISPLAY;
    }
    if (dataDir.empty() && !lookedIn.empty()) {
        std::fprintf(stderr, NO_DATA_BESIDE_PROGRAM_MESSAGE, lookedIn.c_str());
        return EXIT_NO_DATA;
    }
    if (!gameDataPresent()) return EXIT_NO_DATA;
    // The table is the player's, whichever data the game was started with; earlier versions
    // kept it in the data directory.
    setTableLocation(playerTableDirectory(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")),
                     workingDirectory() + "/" + HIGHSCORE_FILE);

    std::string recordedName;
    if (options.hasName) {
        setNameFromArgument(options.name.c_str());
    } else if (harnessRecordedName(recordedName)) {
        // A replay plays under the recorded name, byte for byte.
        char bytes[NAME_INPUT_SIZE] = {};
        std::memcpy(bytes, recordedName.data(), std::min(recordedName.size(), (size_t)PLAYER_NAME_SIZE - 1));
        storePlayerName(bytes);
    } else if (options.demo) {
        setNameFromArgument(DEMO_PLAYER_NAME);
    } else if (options.loginName) {
        setNameFromArgument(loginName(std::getenv("USER")).c_str());
    } else {
        std::printf("%s", NAME_PROMPT);
        std::fflush(stdout);
        readNameWord(stdin);
        storePlayerName(nameInput);
    }
    std::printf("%s", START_MESSAGE);
    std::fflush(stdout);
    if (!options.recordPath.empty()) {
        recordName(playerName, PLAYER_NAME_SIZE - 1);
        harnessStartRecording();
    }
    if (options.demo) harnessStartDemo();

    int glutArgc = (int)options.passOn.size();
    std::vector<char*> glutArgv;
    for (std::string& s : options.passOn) glutArgv.push_back(&s[0]);
    glutArgv.push_back(nullptr);
    glutInit(&glutArgc, glutArgv.data());
    glutInitDisplayMode(DISPLAY_MODE);
    if (options.windowed) {
        glutInitWindowSize(WINDOWED_WIDTH, WINDOWED_HEIGHT);
        glutInitWindowPosition(0, 0);
    }
    windowId = glutCreateWindow(WINDOW_TITLE);
    pointerAttachWindow();
    pointerHide();
    messageBoxAttachWindow();
    if (!options.windowed) glutFullScreen();

    initGame();

    glutIgnoreKeyRepeat(1);
    // The devices reach the input callbacks through the harness, which records them.
    glutKeyboardFunc(deviceKeyDown);
    glutKeyboardUpFunc(deviceKeyUp);
    glutSpecialFunc(deviceSpecialKey);
    glutMouseFunc(deviceMouseButton);
    glutMotionFunc(deviceMouseMotion);
    glutPassiveMotionFunc(deviceMouseMotion);
    glutDisplayFunc(displayFrame);
    glutIdleFunc(displayFrame);
    glutReshapeFunc(deviceReshape);
    glutMainLoop();
    return 0;
}
