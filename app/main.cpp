// Kerb Runner: asks for the player's name, opens the window and runs the game.
// Depends on: startup, frame loop, input, options, harness, the data location, the platform
// layer, GLUT.
#include "app/autopilot.h"
#include "app/bench_floors_gl.h"
#include "app/data_location.h"
#include "app/demo.h"
#include "app/demo_pictures.h"
#include "app/frame_draw.h"
#include "app/harness_device.h"
#include "app/harness_recording.h"
#include "app/init_game_gl.h"
#include "app/input_device.h"
#include "app/options.h"
#include "app/record.h"
#include "app/script_feed.h"
#include "app/startup.h"
#include "app/trace_file.h"
#include "app/watched_table.h"
#include "app/window_gl.h"
#include "app/window_input_device.h"
#include "platform/clock.h"
#include "platform/directory.h"
#include "platform/environment.h"
#include "platform/message_box.h"
#include "platform/message_box_device.h"
#include "platform/path_info.h"
#include "platform/pointer.h"
#include "platform/pointer_device.h"
#include "platform/same_file.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstring>
#include <algorithm>
#include <vector>

namespace {

const unsigned int DISPLAY_MODE = GLUT_DOUBLE | GLUT_DEPTH;  // 18: RGBA, double-buffered, depth
const int WINDOWED_WIDTH = 1024;
const int WINDOWED_HEIGHT = 768;
const int EXIT_USAGE = 2;
const int EXIT_NO_DISPLAY = 1;
const int EXIT_NO_DATA = 1;
const unsigned PICTURES_DIRECTORY_MODE = 0777;  // less the user's umask

const char* const NO_DISPLAY_MESSAGE =
    "kerbrunner: the game needs a graphical display, and none is set (DISPLAY is empty)\n";

bool displayAvailable()
{
    const char* display = environmentVariable("DISPLAY");
    const char* wayland = environmentVariable("WAYLAND_DISPLAY");
    return (display && *display) || (wayland && *wayland);
}

// The pictures' directory as an absolute path (the game changes directory later), made
// when it is missing.
bool preparePicturesDirectory(std::string& dir)
{
    if (dir[0] != '/') dir = workingDirectory() + "/" + dir;
    std::string reason;
    if (!makeDirectory(dir.c_str(), PICTURES_DIRECTORY_MODE, reason)) {
        std::fprintf(stderr, "kerbrunner: cannot make the pictures directory %s: %s\n",
                     shownPath(dir).c_str(), reason.c_str());
        return false;
    }
    // A file, a device or a loop of links in its place would make every picture fail.
    if (!writableDirectory(dir.c_str(), reason)) {
        std::fprintf(stderr, "kerbrunner: cannot write pictures into %s: %s\n",
                     shownPath(dir).c_str(), reason.c_str());
        return false;
    }
    harnessWritePictures(dir);
    return true;
}

// Reads the command line. True when the run ends here (a bad option, --help, --version),
// with the exit status in status.
bool optionsEndTheRun(int argc, char** argv, Options& options, int& status)
{
    std::string error;
    status = 0;
    if (!parseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "kerbrunner: %s\n%s", error.c_str(), usageText().c_str());
        status = EXIT_USAGE;
        return true;
    }
    if (options.help) {
        std::fputs(usageText().c_str(), stdout);
        return true;
    }
    if (options.version) {
        std::printf("Kerb Runner %s\n", KERB_VERSION);
        return true;
    }
    return false;
}

// Two options that name one file would clobber it: the trace written over the script, the
// recording emptied before it is replayed, or trace and recording mixed line by line. False,
// after naming both options, when that is so.
bool runFilesDistinct(const Options& options)
{
    const struct {
        const char* option;
        const std::string& path;
    } files[] = {{"--script", options.scriptPath},
                 {"--trace", options.tracePath},
                 {"--record", options.recordPath}};
    for (const auto& first : files) {
        for (const auto& second : files) {
            if (&second <= &first || first.path.empty() || second.path.empty()) continue;
            if (!pathsNameOneFile(first.path.c_str(), second.path.c_str())) continue;
            std::fprintf(stderr, "kerbrunner: %s %s and %s %s name the same file\n",
                         first.option, shownPath(first.path).c_str(), second.option,
                         shownPath(second.path).c_str());
            return false;
        }
    }
    return true;
}

// The files the command line names: the script to play, the trace and the recording to
// write, the pictures' directory. False, after saying why, when one cannot be used.
bool openRunFiles(Options& options)
{
    if (!runFilesDistinct(options)) return false;
    std::string error;
    bool opened = (options.scriptPath.empty() || harnessLoadScript(options.scriptPath, error)) &&
                  (options.tracePath.empty() || harnessOpenTrace(options.tracePath, error)) &&
                  (options.recordPath.empty() || recordOpen(options.recordPath, error));
    if (!opened) {
        std::fprintf(stderr, "kerbrunner: %s\n", error.c_str());
        return false;
    }
    // Pictures are written after the change into the data directory.
    return options.picturesDir.empty() || preparePicturesDirectory(options.picturesDir);
}

// Fixed steps, benchmarks and the boxes of unattended runs.
void applyRunSettings(const Options& options)
{
    if (options.fixedStepMs > 0) clockUseFixedStep(options.fixedStepMs);
    if (options.benchStartup) benchRequestStartupStamp();
    if (options.benchFloorsFrame > 0) benchRequestFloors(options.benchFloorsFrame);
    if (!options.scriptPath.empty() || options.demo) messageBoxSetNonBlocking(true);
}

void choosePlayerName(const Options& options)
{
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
        setNameFromArgument(loginName(environmentVariable("USER")).c_str());
    } else {
        std::printf("%s", NAME_PROMPT);
        std::fflush(stdout);
        readNameWord(stdin);
        storePlayerName(nameInput);
    }
}

void beginRun(const Options& options)
{
    std::printf("%s", START_MESSAGE);
    std::fflush(stdout);
    if (!options.recordPath.empty()) {
        recordName(playerName, PLAYER_NAME_SIZE - 1);
        harnessStartRecording();
    }
    if (options.demo) harnessStartDemo();
    // Watching the demo or a replay never changes the player's table.
    if (options.demo || harnessReplaying()) watchTableOnly();
}

// Opens the window, loads the game into it and runs the frame loop; never returns.
void runWindow(Options& options)
{
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

    installInputDevices();
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
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    int status = 0;
    if (optionsEndTheRun(argc, argv, options, status)) return status;
    if (!openRunFiles(options)) return EXIT_USAGE;
    std::string notFoundBesideProgram;
    if (!enterDataDirectory(options.dataDir, notFoundBesideProgram)) return EXIT_USAGE;
    applyRunSettings(options);

    // Both before the name prompt, so that nobody types a name for a game that cannot start.
    if (!displayAvailable()) {
        std::fputs(NO_DISPLAY_MESSAGE, stderr);
        return EXIT_NO_DISPLAY;
    }
    if (!gameDataPresent(notFoundBesideProgram)) return EXIT_NO_DATA;
    locatePlayerTable();

    choosePlayerName(options);
    beginRun(options);
    runWindow(options);
    return 0;
}
