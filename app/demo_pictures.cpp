// Which of the demo's pictures the frame just drawn shows, each taken once (the play pictures
// once per ten seconds of the countdown).
// Depends on: demo_pictures.h, demo.h, game_state.h, countdown.h, the platform clock.
#include "app/demo_pictures.h"

#include "app/countdown.h"
#include "app/demo.h"
#include "app/game_state.h"
#include "platform/clock.h"

#include <algorithm>
#include <cstdint>

namespace {

const uint32_t MENU_PICTURE_MS = 1000;        // the menu once the window has its size
const int PICTURE_EVERY_SECONDS = 10;
const uint32_t TABLE_PICTURE_DELAY_MS = 1000;
const size_t CONE_PICTURE_MIN_SEEN = 3;       // a cone among a few passers-by

std::string picturesDir;
bool menuPictureTaken = false;
bool conePictureTaken = false;
bool fistPictureTaken = false;
bool tablePictureTaken = false;
int lastPictureSecond = -1;
bool gameOverSeen = false;
uint32_t gameOverSeenMs = 0;

}  // namespace

void harnessWritePictures(const std::string& dir) { picturesDir = dir; }

std::vector<std::string> demoPicturesDue()
{
    std::vector<std::string> names;
    if (picturesDir.empty()) return names;
    const GameState& g = gameState;
    uint32_t now = clockMilliseconds();
    if (g.menuMode) {
        if (!menuPictureTaken && now >= MENU_PICTURE_MS && !g.aboutShown && !g.helpShown) {
            names.push_back("menu.png");
            menuPictureTaken = true;
        }
    } else if (g.gameOver) {
        if (!gameOverSeen) {
            gameOverSeen = true;
            gameOverSeenMs = now;
        } else if (!tablePictureTaken && now - gameOverSeenMs >= TABLE_PICTURE_DELAY_MS) {
            names.push_back("table.png");
            tablePictureTaken = true;
        }
    } else {
        if (g.secondsLeft % PICTURE_EVERY_SECONDS == 0 && g.secondsLeft != lastPictureSecond) {
            lastPictureSecond = g.secondsLeft;
            char text[TIME_TEXT_SIZE];
            formatTimeText(g.secondsLeft, text);
            std::replace(text, text + TIME_TEXT_SIZE - 1, ':', '-');
            names.push_back("play-" + std::string(text) + ".png");
        }
        if (!fistPictureTaken && g.fistShown) {
            names.push_back("fist.png");
            fistPictureTaken = true;
        }
        if (!conePictureTaken) {
            PlayerView view = currentPlayerView();
            auto greenCone = [](const SeenCharacter& c) { return c.coneShown && c.coneGreen; };
            bool green = std::any_of(view.seen.begin(), view.seen.end(), greenCone);
            if (green && view.seen.size() >= CONE_PICTURE_MIN_SEEN) {
                names.push_back("cone.png");
                conePictureTaken = true;
            }
        }
    }
    for (std::string& name : names) name = picturesDir + "/" + name;
    return names;
}
