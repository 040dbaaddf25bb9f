#include "profile_text.h"

#include <cstdio>
#include <cstring>

namespace {

struct Span {
    const char* text;
    size_t length;
};

enum Key { KEY_BUTTONS, KEY_DIRECTION, KEY_SET, KEYS };
const char* const keyNames[KEYS] = {"buttons", "direction", "set"};

// What the lines read so far have given.
struct Reading {
    PadSettings profile;
    int sectionLine;     // 0 until [pad]
    int keyLine[KEYS];   // 0 until given
    int highestButton;
};

static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

Span Trimmed(const char* text, size_t length) {
    while (length > 0 && IsBlank(*text)) text++, length--;
    while (length > 0 && IsBlank(text[length - 1])) length--;
    return {text, length};
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c; }

bool SameWord(Span span, const char* word) {
    if (span.length != strlen(word)) return false;
    for (size_t i = 0; i < span.length; i++)
        if (Lower(span.text[i]) != word[i]) return false;
    return true;
}

// The length of the well-formed UTF-8 sequence at s, 0 when there is none.
size_t Utf8Length(const unsigned char* s, size_t left) {
    unsigned char c = s[0];
    if (c < 0x80) return 1;
    size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    if (c < 0xC2 || c > 0xF4 || left < length) return 0;
    for (size_t i = 1; i < length; i++)
        if ((s[i] & 0xC0) != 0x80) return 0;
    // Overlong forms, surrogates and code points above U+10FFFF.
    if ((c == 0xE0 && s[1] < 0xA0) || (c == 0xED && s[1] >= 0xA0) || (c == 0xF0 && s[1] < 0x90) ||
        (c == 0xF4 && s[1] >= 0x90))
        return 0;
    return length;
}

// The line's characters, or -1 when it is not UTF-8.
int CountCharacters(const char* text, size_t length) {
    int count = 0;
    for (size_t at = 0; at < length; count++) {
        size_t step = Utf8Length((const unsigned char*)text + at, length - at);
        if (step == 0) return -1;
        at += step;
    }
    return count;
}

// Digits only; a value past every limit here stops growing.
bool ReadNumber(Span span, int* value) {
    if (span.length == 0) return false;
    int number = 0;
    for (size_t i = 0; i < span.length; i++) {
        if (span.text[i] < '0' || span.text[i] > '9') return false;
        if (number < 1000) number = number * 10 + (span.text[i] - '0');
    }
    *value = number;
    return true;
}

ProfileFault ReadButtons(Span value, Reading& reading) {
    int count;
    if (!ReadNumber(value, &count)) return PROFILE_NOT_A_NUMBER;
    if (count > PROFILE_BUTTONS_MAX) return PROFILE_BAD_COUNT;
    reading.profile.buttons = count;
    return PROFILE_OK;
}

// US spelling is read too (directionCodes starts with centre); files are
// written with "centre", which every version of the tool reads.
const char* const CENTRE_US = "center";

ProfileFault ReadDirection(Span value, Reading& reading) {
    if (SameWord(value, CENTRE_US)) return reading.profile.direction = 0, PROFILE_OK;
    for (int i = 0; i < DIRECTION_COUNT; i++)
        if (SameWord(value, directionCodes[i].name)) return reading.profile.direction = i, PROFILE_OK;
    return PROFILE_BAD_DIRECTION;
}

// A comma list, which may be empty.
ProfileFault ReadSet(Span value, Reading& reading) {
    const char *at = value.text, *end = value.text + value.length;
    while (value.length > 0) {
        const char* comma = (const char*)memchr(at, ',', (size_t)(end - at));
        const char* itemEnd = comma ? comma : end;
        int button;
        if (!ReadNumber(Trimmed(at, (size_t)(itemEnd - at)), &button)) return PROFILE_NOT_A_NUMBER;
        if (button < 1 || button > PROFILE_BUTTONS_MAX) return PROFILE_BAD_BUTTON;
        reading.profile.masks[GroupOfButton(button - 1)] |= ButtonBit(button - 1);
        if (button > reading.highestButton) reading.highestButton = button;
        if (!comma) break;
        at = comma + 1;
    }
    return PROFILE_OK;
}

ProfileFault ReadSetting(Span line, int number, Reading& reading) {
    if (!reading.sectionLine) return PROFILE_NO_SECTION;
    const char* equals = (const char*)memchr(line.text, '=', line.length);
    if (!equals) return PROFILE_UNKNOWN_KEY;
    Span key = Trimmed(line.text, (size_t)(equals - line.text));
    Span value = Trimmed(equals + 1, (size_t)(line.text + line.length - equals - 1));
    for (int k = 0; k < KEYS; k++) {
        if (!SameWord(key, keyNames[k])) continue;
        if (reading.keyLine[k]) return PROFILE_REPEATED_KEY;
        reading.keyLine[k] = number;
        if (k == KEY_BUTTONS) return ReadButtons(value, reading);
        return k == KEY_DIRECTION ? ReadDirection(value, reading) : ReadSet(value, reading);
    }
    return PROFILE_UNKNOWN_KEY;
}

ProfileFault ReadLine(const char* text, size_t length, int number, Reading& reading) {
    int characters = CountCharacters(text, length);
    if (characters < 0) return PROFILE_NOT_UTF8;
    if (characters > PROFILE_LINE_MAX) return PROFILE_LONG_LINE;
    Span line = Trimmed(text, length);
    if (line.length == 0 || line.text[0] == ';') return PROFILE_OK;
    if (line.text[0] != '[') return ReadSetting(line, number, reading);
    if (reading.sectionLine || !SameWord(line, "[pad]")) return PROFILE_NO_SECTION;
    reading.sectionLine = number;
    return PROFILE_OK;
}

// After the last line: every key given, every button within the count.
ProfileCheck Completed(const Reading& reading, int lines) {
    if (!reading.sectionLine) return {PROFILE_NO_SECTION, lines};
    for (int k = 0; k < KEYS; k++)
        if (!reading.keyLine[k]) return {PROFILE_MISSING_KEY, reading.sectionLine};
    if (reading.highestButton > reading.profile.buttons) return {PROFILE_ABOVE_COUNT, reading.keyLine[KEY_SET]};
    return {PROFILE_OK, 0};
}

// A byte that no UTF-8 text holds: what cannot be read stays a fault of its line.
constexpr char NOT_UTF8 = (char)0xFF;

size_t PutUtf8(unsigned long c, char* out) {
    if (c < 0x80) return out[0] = (char)c, 1;
    if (c < 0x800) return out[0] = (char)(0xC0 | c >> 6), out[1] = (char)(0x80 | (c & 0x3F)), 2;
    size_t length = c < 0x10000 ? 3 : 4;
    out[0] = (char)(length == 3 ? 0xE0 | c >> 12 : 0xF0 | c >> 18);
    for (size_t i = 1; i < length; i++) out[i] = (char)(0x80 | ((c >> (6 * (length - 1 - i))) & 0x3F));
    return length;
}

// UTF-16 after its mark, as UTF-8 into out (3 bytes for every 2 at most); a
// lone surrogate or an odd last byte becomes NOT_UTF8.
unsigned long Utf16Unit(const unsigned char* at, bool bigEndian) {
    return bigEndian ? (unsigned long)at[0] << 8 | at[1] : (unsigned long)at[1] << 8 | at[0];
}

size_t Utf8OfUtf16(const unsigned char* bytes, size_t size, bool bigEndian, char* out) {
    size_t length = 0, at = 0;
    for (; at + 1 < size; at += 2) {
        unsigned long c = Utf16Unit(bytes + at, bigEndian), next = at + 3 < size ? Utf16Unit(bytes + at + 2, bigEndian) : 0;
        bool pair = c >= 0xD800 && c < 0xDC00 && next >= 0xDC00 && next < 0xE000;
        if (pair) c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00), at += 2;
        if (!pair && c >= 0xD800 && c < 0xE000) out[length++] = NOT_UTF8;
        else length += PutUtf8(c, out + length);
    }
    if (at < size) out[length++] = NOT_UTF8;
    return length;
}

char utf16Text[PROFILE_SIZE_MAX / 2 * 3];

}  // namespace

ProfileCheck ParseProfile(const char* text, size_t size, PadSettings* profile) {
    if (size > PROFILE_SIZE_MAX) return {PROFILE_TOO_LARGE, 0};
    if (size >= 3 && memcmp(text, "\xEF\xBB\xBF", 3) == 0) text += 3, size -= 3;
    else if (size >= 2 && (memcmp(text, "\xFF\xFE", 2) == 0 || memcmp(text, "\xFE\xFF", 2) == 0))
        size = Utf8OfUtf16((const unsigned char*)text + 2, size - 2, text[0] == '\xFE', utf16Text), text = utf16Text;
    if (size == 0) return {PROFILE_EMPTY, 0};
    Reading reading = {};
    int number = 0;
    for (size_t at = 0; at < size;) {
        const char* newline = (const char*)memchr(text + at, '\n', size - at);
        size_t length = newline ? (size_t)(newline - (text + at)) : size - at, next = at + length + 1;
        if (length > 0 && text[at + length - 1] == '\r') length--;
        ProfileFault fault = ReadLine(text + at, length, ++number, reading);
        if (fault != PROFILE_OK) return {fault, number};
        at = next;
    }
    ProfileCheck check = Completed(reading, number);
    if (check.fault == PROFILE_OK) *profile = reading.profile;
    return check;
}

int ShownCount(int padCount) {
    return padCount < 0 ? 0 : padCount > PROFILE_BUTTONS_MAX ? PROFILE_BUTTONS_MAX : padCount;
}

static bool IsSet(const PadSettings& profile, int button) {
    return (profile.masks[GroupOfButton(button)] & ButtonBit(button)) != 0;
}

size_t FormatProfile(const PadSettings& profile, char* out, size_t size) {
    int written = snprintf(out, size, "[pad]\r\nbuttons=%d\r\ndirection=%s\r\nset=", profile.buttons,
                           directionCodes[profile.direction].name);
    size_t length = written < 0 ? size : (size_t)written;
    const char* comma = "";
    for (int button = 0; button < profile.buttons && button < PROFILE_BUTTONS_MAX && length < size; button++) {
        if (!IsSet(profile, button)) continue;
        length += (size_t)snprintf(out + length, size - length, "%s%d", comma, button + 1);
        comma = ",";
    }
    if (length < size) length += (size_t)snprintf(out + length, size - length, "\r\n");
    if (length < size) return length;
    if (size > 0) out[0] = 0;
    return 0;
}

int CompareProfiles(const PadSettings& wanted, const PadSettings& pad, bool compareCount,
                    ProfileDifference out[PROFILE_DIFFERENCES_MAX]) {
    int count = 0;
    if (compareCount && wanted.buttons != pad.buttons) out[count++] = {COUNT_DIFFERS, 0};
    if (wanted.direction != pad.direction) out[count++] = {DIRECTION_DIFFERS, 0};
    for (int button = 0; button < PROFILE_BUTTONS_MAX; button++)
        if (IsSet(wanted, button) != IsSet(pad, button))
            out[count++] = {IsSet(wanted, button) ? BUTTON_NOT_SET : BUTTON_EXTRA, button + 1};
    return count;
}
