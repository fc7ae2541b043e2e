// The browser's keys and locked pointer as the window library reports them
// (web/glut/key_translate.cpp, web/glut/virtual_pointer.cpp): the codes must be the ones
// the desktop's window system gives, or scripts and recordings would replay differently.
// Depends on: web/glut/key_translate.h, web/glut/virtual_pointer.h, app/key_codes.h, GoogleTest.
#include "app/key_codes.h"
#include "web/glut/key_translate.h"
#include "web/glut/virtual_pointer.h"

#include <gtest/gtest.h>

namespace test_web_input {

const int WIDTH = 1024;
const int HEIGHT = 768;

struct KeyCase {
    const char* key;
    const char* code;
    bool control;
    KeyKind kind;
    int expected;
};

TEST(WebInput, BrowserKeysGiveTheDesktopCodes)
{
    const KeyCase cases[] = {
        {"w", "KeyW", false, KeyKind::Character, KEY_FORWARD},
        {"W", "KeyW", false, KeyKind::Character, 'W'},
        {"Enter", "NumpadEnter", false, KeyKind::Character, KEY_ENTER},
        {"Escape", "Escape", false, KeyKind::Character, KEY_ESCAPE},
        {"Backspace", "Backspace", false, KeyKind::Character, 8},
        {"Delete", "Delete", false, KeyKind::Character, 127},
        {" ", "Space", false, KeyKind::Character, ' '},
        {"c", "KeyC", true, KeyKind::Character, 3},       // Control-C types ETX
        {"\xc3\xa9", "Digit2", false, KeyKind::Character, 0xe9},  // e acute, one Latin-1 byte
        {"\xe2\x82\xac", "KeyE", false, KeyKind::None, 0},        // the euro sign has none
        {"ArrowUp", "ArrowUp", false, KeyKind::Special, SPECIAL_KEY_UP},
        {"ArrowDown", "ArrowDown", false, KeyKind::Special, SPECIAL_KEY_DOWN},
        {"ArrowLeft", "ArrowLeft", false, KeyKind::Special, 100},
        {"F12", "F12", false, KeyKind::Special, 12},
        {"Shift", "ShiftRight", false, KeyKind::Special, 0x71},
        {"Control", "ControlLeft", true, KeyKind::Special, 0x72},
        {"Dead", "BracketLeft", false, KeyKind::None, 0},
        {"", "", false, KeyKind::None, 0},
    };
    for (const KeyCase& c : cases) {
        const TranslatedKey k = translateKey(c.key, c.code, c.control);
        EXPECT_EQ(k.kind, c.kind) << c.key;
        if (c.kind != KeyKind::None) {
            EXPECT_EQ(k.code, c.expected) << c.key;
        }
    }
    EXPECT_EQ(translateKey(nullptr, "KeyW", false).kind, KeyKind::None);
    // The wheel: X's buttons 4 to 7, which the window library reports as 3 to 6.
    const struct { double dx, dy; int count, first, second; } wheels[] = {
        {0, -100, 1, 3, 0}, {0, 3, 1, 4, 0}, {-0.5, 0, 1, 5, 0}, {40, -1, 2, 3, 6}, {0, 0, 0, 0, 0}};
    for (const auto& w : wheels) {
        int buttons[2] = {0, 0};
        ASSERT_EQ(wheelButtons(w.dx, w.dy, buttons), w.count) << w.dx << " " << w.dy;
        if (w.count > 0) {
            EXPECT_EQ(buttons[0], w.first);
        }
        if (w.count > 1) {
            EXPECT_EQ(buttons[1], w.second);
        }
    }
}

TEST(WebInput, LockedPointerMovesWithinTheWindowAndWarpsExactly)
{
    VirtualPointer p{};
    warpVirtualPointer(p, WIDTH / 2, HEIGHT / 2, WIDTH, HEIGHT);
    moveVirtualPointer(p, 7, -3, WIDTH, HEIGHT);
    EXPECT_EQ(p.x, WIDTH / 2 + 7);
    EXPECT_EQ(p.y, HEIGHT / 2 - 3);
    moveVirtualPointer(p, -100000, 100000, WIDTH, HEIGHT);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, HEIGHT - 1);
    moveVirtualPointer(p, 1L << 40, -(1L << 40), WIDTH, HEIGHT);
    EXPECT_EQ(p.x, WIDTH - 1);
    EXPECT_EQ(p.y, 0);
    warpVirtualPointer(p, WIDTH / 2, HEIGHT / 2, WIDTH, HEIGHT);
    EXPECT_EQ(p.x, WIDTH / 2);
    EXPECT_EQ(p.y, HEIGHT / 2);
    warpVirtualPointer(p, -5, HEIGHT + 5, WIDTH, HEIGHT);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, HEIGHT - 1);
}

}  // namespace test_web_input
