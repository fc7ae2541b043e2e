// The input callbacks: they change the game state, never draw; what the devices do when a game
// starts or the player leaves goes through the hooks the game installed.
// Depends on: input.h, key_codes.h, game_state.h, camera.h, startup.h (window size), the
// platform clock.
#include "app/input.h"

#include "app/game_state.h"
#include "app/startup.h"
#include "platform/clock.h"
#include "player/camera.h"

#include <cstdlib>

namespace {

InputDeviceHooks deviceHooks;

}  // namespace

void installInputDeviceHooks(const InputDeviceHooks& hooks) { deviceHooks = hooks; }

namespace {

// Enter or Escape that does not act on a menu item.
void applyEscape()
{
    GameState& g = gameState;
    if (g.menuMode && !g.aboutShown && !g.helpShown) {
        // Escape on the main menu starts the game the same way Enter on "start" does:
        // entering play with no placed camera and no countdown start would break both.
        startGame();
    } else if (g.menuMode && g.aboutShown && !g.helpShown) {
        g.aboutShown = false;
    } else if (g.menuMode && g.helpShown && !g.aboutShown) {
        g.helpShown = false;
    } else if (!g.menuMode) {
        quitGame();
    }
}

void enterOnMenuItem()
{
    switch (gameState.menuIndex) {
    case MENU_ITEM_START: startGame(); break;
    case MENU_ITEM_ABOUT: gameState.aboutShown = true; break;
    case MENU_ITEM_HELP: gameState.helpShown = true; break;
    case MENU_ITEM_QUIT: quitGame();
    default: break;
    }
}

}  // namespace

void startGame()
{
    gameState.menuMode = false;
    gameState.secondTick = (float)clockMilliseconds();
    placeCamera(playerCamera, START_POSITION.x, START_POSITION.y, START_POSITION.z, START_VIEW.x,
                START_VIEW.y, START_VIEW.z, START_UP.x, START_UP.y, START_UP.z);
    if (deviceHooks.gameStarted) deviceHooks.gameStarted();
}

void quitGame()
{
    if (deviceHooks.leaving) deviceHooks.leaving();
    std::exit(0);
}

void onKeyDown(unsigned char key, int, int)
{
    GameState& g = gameState;
    if (key == KEY_ENTER && g.menuMode && !g.aboutShown && !g.helpShown) {
        enterOnMenuItem();
        return;
    }
    if (key == KEY_ENTER || key == KEY_ESCAPE) {
        applyEscape();
        return;
    }
    if (g.menuMode) return;
    switch (key) {
    case KEY_FORWARD: g.forwardAxis += 1; break;
    case KEY_BACK: g.forwardAxis -= 1; break;
    case KEY_RIGHT: g.strafeAxis += 1; break;
    case KEY_LEFT: g.strafeAxis -= 1; break;
    default: break;
    }
}

void onKeyUp(unsigned char key, int, int)
{
    if (gameState.menuMode) return;
    // Releasing either key of an axis stops that axis, even if its opposite is still held.
    if (key == KEY_FORWARD || key == KEY_BACK) gameState.forwardAxis = 0;
    if (key == KEY_RIGHT || key == KEY_LEFT) gameState.strafeAxis = 0;
}

void onSpecialKey(int key, int, int)
{
    GameState& g = gameState;
    if (!g.menuMode || g.aboutShown || g.helpShown) return;
    if (key == SPECIAL_KEY_UP) g.menuIndex = (g.menuIndex + g.menuCount - 1) % g.menuCount;
    if (key == SPECIAL_KEY_DOWN) g.menuIndex = (g.menuIndex + 1) % g.menuCount;
}

void onMouseButton(int button, int state, int, int)
{
    if (state != MOUSE_BUTTON_DOWN) return;
    if (button == MOUSE_LEFT_BUTTON && !gameState.menuMode) gameState.flyerClick = true;
    if (button == MOUSE_RIGHT_BUTTON) gameState.fistShown = !gameState.fistShown;
}

void onMouseMotion(int x, int y)
{
    if (gameState.menuMode) return;
    lookWithMouse(playerCamera, x, y, windowWidth, windowHeight);
}
