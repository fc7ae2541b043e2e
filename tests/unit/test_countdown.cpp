// The countdown over the millisecond clock: 2:30 down to 0:00, one tick per frame at most,
// and the game's end on the tick after 0:00.
#include "app/countdown.h"
#include "app/game_state.h"

#include <gtest/gtest.h>

#include <string>

namespace test_countdown {

const uint32_t START_MS = 5000;

GameState startedGame()
{
    GameState g = initialGameState();
    g.menuMode = false;
    g.secondTick = (float)START_MS;
    return g;
}

std::string timeShown(const GameState& g)
{
    char text[TIME_TEXT_SIZE];
    formatTimeText(g.secondsLeft, text);
    return text;
}

TEST(Countdown, FromTwoThirtyToTheEndOneTickPerFrame)
{
    GameState g = startedGame();
    // Frames 1001 ms apart: every frame ticks once.
    uint32_t clock = START_MS;
    EXPECT_FALSE(tickCountdown(g, clock));
    EXPECT_EQ(timeShown(g), "2:30");
    int ticks = 0;
    auto frame = [&] {
        clock += 1001;
        float before = g.secondTick;
        bool ended = tickCountdown(g, clock);
        EXPECT_EQ(g.secondTick, before + 1000.0f);
        ++ticks;
        return ended;
    };
    while (ticks < 91) EXPECT_FALSE(frame());
    EXPECT_EQ(timeShown(g), "0:59");
    while (ticks < 150) EXPECT_FALSE(frame());
    EXPECT_EQ(timeShown(g), "0:00");
    EXPECT_FALSE(g.gameOver);
    EXPECT_TRUE(frame());
    EXPECT_TRUE(g.gameOver);
    EXPECT_EQ(g.secondsLeft, 0);
    // The end comes once; later calls change nothing.
    float tick = g.secondTick;
    EXPECT_FALSE(tickCountdown(g, clock + 5000));
    EXPECT_EQ(g.secondTick, tick);
}

TEST(Countdown, OnlyMoreThanASecondTicks)
{
    GameState g = startedGame();
    EXPECT_FALSE(tickCountdown(g, START_MS + 1000));
    EXPECT_EQ(g.secondsLeft, 150);
    EXPECT_EQ(g.secondTick, (float)START_MS);
    tickCountdown(g, START_MS + 1001);
    EXPECT_EQ(g.secondsLeft, 149);
    EXPECT_EQ(g.secondTick, (float)(START_MS + 1000));
}

TEST(Countdown, FramesFarApartCatchUpOneSecondPerFrameWithoutLosingTime)
{
    GameState g = startedGame();
    const uint32_t clock = START_MS + 10500;  // ten and a half seconds in one frame
    for (int frame = 1; frame <= 10; ++frame) {
        tickCountdown(g, clock);
        EXPECT_EQ(g.secondsLeft, 150 - frame);
    }
    EXPECT_EQ(g.secondTick, (float)(START_MS + 10000));
    tickCountdown(g, clock);
    EXPECT_EQ(g.secondsLeft, 140);
    tickCountdown(g, clock + 501);
    EXPECT_EQ(g.secondsLeft, 139);
}

TEST(Countdown, AGameStartedWithoutAClockCatchesUpFromZero)
{
    // Escape-like starts leave secondTick at 0: the countdown runs a second per frame.
    GameState g = initialGameState();
    g.menuMode = false;
    int frames = 0;
    while (!tickCountdown(g, 400000)) ++frames;
    EXPECT_EQ(frames, 150);
}

TEST(Countdown, TimeTextIsMinutesColonTwoDigits)
{
    const struct {
        int seconds;
        const char* text;
    } cases[] = {{150, "2:30"}, {120, "2:00"}, {61, "1:01"},
                 {59, "0:59"},  {10, "0:10"},  {0, "0:00"}};
    for (const auto& c : cases) {
        GameState g = startedGame();
        g.secondsLeft = c.seconds;
        EXPECT_EQ(timeShown(g), c.text) << c.seconds;
    }
}

}  // namespace test_countdown
