// The browser's key names turned into what the desktop's window library reports.
// Depends on: key_translate.h, GL/freeglut.h (the special key codes).
#include "web/glut/key_translate.h"

#include <GL/freeglut.h>

#include <cstring>

namespace {

const int CONTROL_LETTER_MASK = 0x1f;
const int LATIN1_LAST = 0xff;
const unsigned char UTF8_TWO_BYTE_LEAD = 0xc0;
const unsigned char UTF8_TWO_BYTE_LEAD_MASK = 0xe0;
const unsigned char UTF8_CONTINUATION_MASK = 0x3f;
const int UTF8_LEAD_SHIFT = 6;
const int UTF8_LEAD_PAYLOAD = 0x1f;

struct NamedKey {
    const char* name;
    KeyKind kind;
    int code;
};

// Keys the DOM names by a word (KeyboardEvent.key).
const NamedKey NAMED_KEYS[] = {
    {"Enter", KeyKind::Character, 13},
    {"Escape", KeyKind::Character, 27},
    {"Backspace", KeyKind::Character, 8},
    {"Tab", KeyKind::Character, 9},
    {"Delete", KeyKind::Character, 127},
    {"ArrowLeft", KeyKind::Special, GLUT_KEY_LEFT},
    {"ArrowUp", KeyKind::Special, GLUT_KEY_UP},
    {"ArrowRight", KeyKind::Special, GLUT_KEY_RIGHT},
    {"ArrowDown", KeyKind::Special, GLUT_KEY_DOWN},
    {"PageUp", KeyKind::Special, GLUT_KEY_PAGE_UP},
    {"PageDown", KeyKind::Special, GLUT_KEY_PAGE_DOWN},
    {"Home", KeyKind::Special, GLUT_KEY_HOME},
    {"End", KeyKind::Special, GLUT_KEY_END},
    {"Insert", KeyKind::Special, GLUT_KEY_INSERT},
    {"NumLock", KeyKind::Special, GLUT_KEY_NUM_LOCK},
    {"F1", KeyKind::Special, GLUT_KEY_F1},
    {"F2", KeyKind::Special, GLUT_KEY_F2},
    {"F3", KeyKind::Special, GLUT_KEY_F3},
    {"F4", KeyKind::Special, GLUT_KEY_F4},
    {"F5", KeyKind::Special, GLUT_KEY_F5},
    {"F6", KeyKind::Special, GLUT_KEY_F6},
    {"F7", KeyKind::Special, GLUT_KEY_F7},
    {"F8", KeyKind::Special, GLUT_KEY_F8},
    {"F9", KeyKind::Special, GLUT_KEY_F9},
    {"F10", KeyKind::Special, GLUT_KEY_F10},
    {"F11", KeyKind::Special, GLUT_KEY_F11},
    {"F12", KeyKind::Special, GLUT_KEY_F12},
};

// The modifiers, which the desktop's window library reports as special keys of their own,
// left and right apart (KeyboardEvent.code).
const NamedKey MODIFIER_KEYS[] = {
    {"ShiftLeft", KeyKind::Special, GLUT_KEY_SHIFT_L},
    {"ShiftRight", KeyKind::Special, GLUT_KEY_SHIFT_R},
    {"ControlLeft", KeyKind::Special, GLUT_KEY_CTRL_L},
    {"ControlRight", KeyKind::Special, GLUT_KEY_CTRL_R},
    {"AltLeft", KeyKind::Special, GLUT_KEY_ALT_L},
    {"AltRight", KeyKind::Special, GLUT_KEY_ALT_R},
    {"MetaLeft", KeyKind::Special, GLUT_KEY_SUPER_L},
    {"MetaRight", KeyKind::Special, GLUT_KEY_SUPER_R},
};

const TranslatedKey NO_KEY = {KeyKind::None, 0};

TranslatedKey findNamed(const NamedKey* table, size_t count, const char* name)
{
    for (size_t i = 0; i < count; ++i)
        if (std::strcmp(table[i].name, name) == 0) return {table[i].kind, table[i].code};
    return NO_KEY;
}

// The one character of `key` when it is a single Latin-1 character in UTF-8, else -1.
int singleLatin1Character(const char* key)
{
    const unsigned char* k = (const unsigned char*)key;
    if (k[0] != 0 && k[0] < 0x80 && k[1] == 0) return k[0];
    if ((k[0] & UTF8_TWO_BYTE_LEAD_MASK) == UTF8_TWO_BYTE_LEAD && k[1] != 0 && k[2] == 0) {
        int c = ((k[0] & UTF8_LEAD_PAYLOAD) << UTF8_LEAD_SHIFT) | (k[1] & UTF8_CONTINUATION_MASK);
        return c <= LATIN1_LAST ? c : -1;
    }
    return -1;
}

}  // namespace

TranslatedKey translateKey(const char* key, const char* code, bool control)
{
    if (!key || !code) return NO_KEY;
    TranslatedKey named = findNamed(NAMED_KEYS, sizeof NAMED_KEYS / sizeof NAMED_KEYS[0], key);
    if (named.kind != KeyKind::None) return named;
    TranslatedKey modifier =
        findNamed(MODIFIER_KEYS, sizeof MODIFIER_KEYS / sizeof MODIFIER_KEYS[0], code);
    if (modifier.kind != KeyKind::None) return modifier;
    int c = singleLatin1Character(key);
    if (c <= 0) return NO_KEY;
    // Control with a letter types its control character, as on the desktop.
    if (control && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
        c &= CONTROL_LETTER_MASK;
    return {KeyKind::Character, c};
}

int wheelButtons(double deltaX, double deltaY, int buttons[2])
{
    const int WHEEL_UP = 3, WHEEL_DOWN = 4, WHEEL_LEFT = 5, WHEEL_RIGHT = 6;
    int count = 0;
    if (deltaY != 0) buttons[count++] = deltaY < 0 ? WHEEL_UP : WHEEL_DOWN;
    if (deltaX != 0) buttons[count++] = deltaX < 0 ? WHEEL_LEFT : WHEEL_RIGHT;
    return count;
}
