#include "protocol.h"

#include <cstdio>
#include <cstring>

const DirectionCode directionCodes[DIRECTION_COUNT] = {
    {0, "buttom_a=000", "centre"},
    {8, "buttom_a=008", "up"},
    {9, "buttom_a=009", "up-right"},
    {1, "buttom_a=001", "right"},
    {5, "buttom_a=005", "down-right"},
    {4, "buttom_a=004", "down"},
    {6, "buttom_a=006", "down-left"},
    {2, "buttom_a=002", "left"},
    {11, "buttom_a=011", "up-left"},  // 11 on this pad, not 8 + 2
};

const char* const groupQueries[SHOWN_GROUPS] = {"b_num?", "c_num?", "d_num?", "e_num?"};

int FormatArgument(char* out, size_t size, const char* prefix, int value) {
    int n = snprintf(out, size, "%s%03d", prefix, value);
    if (n < 0 || (size_t)n >= size) {
        if (size > 0) out[0] = 0;
        return 0;
    }
    return n;
}

char GroupLetter(ButtonGroup group) { return (char)('b' + group); }

int FormatGroupCommand(char* out, size_t size, ButtonGroup group, int mask) {
    char prefix[] = "buttom_?=";
    prefix[7] = GroupLetter(group);
    return FormatArgument(out, size, prefix, mask);
}

int FormatCountCommand(char* out, size_t size, int count) {
    // No buttons goes on the wire as 255 (CMD_COUNT_ZERO); a buffer too small
    // gets nothing, as for any other count.
    if (count == 0) return FormatArgument(out, size, CMD_COUNT_PREFIX, 255);
    if (count < 1 || count > 32) return 0;
    return FormatArgument(out, size, CMD_COUNT_PREFIX, count);
}

static int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

static int DecimalDigit(char c) { return (c >= '0' && c <= '9') ? c - '0' : -1; }

static bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Shared by both bases: blanks, sign, optional 0x for base 16, then digits.
static int ParseInteger(const char* text, size_t maxChars, int base) {
    size_t i = 0;
    while (i < maxChars && text[i] && IsSpace(text[i])) i++;
    bool negative = false;
    if (i < maxChars && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (base == 16 && i + 2 < maxChars && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        HexDigit(text[i + 2]) >= 0)
        i += 2;
    long value = 0;
    bool any = false;
    for (; i < maxChars && text[i]; i++) {
        int d = base == 16 ? HexDigit(text[i]) : DecimalDigit(text[i]);
        if (d < 0) break;
        any = true;
        if (value < 0x1000000) value = value * base + d;  // at most a few digits ever count
    }
    if (!any) return NO_VALUE;
    return (int)(negative ? -value : value);
}

int ParseHexValue(const char* text, size_t maxChars) { return ParseInteger(text, maxChars, 16); }

int ParseDecimalValue(const char* text, size_t maxChars) { return ParseInteger(text, maxChars, 10); }

ButtonGroup GroupOfButton(int button) {
    if (button < 0 || button >= SHOWN_GROUPS * BUTTONS_PER_GROUP) return GROUP_COUNT;
    return (ButtonGroup)(button / BUTTONS_PER_GROUP);
}

int ButtonBit(int button) { return button < 0 ? 0 : 1 << (button % BUTTONS_PER_GROUP); }

int DirectionIndexOfCode(int code) {
    for (int i = 0; i < DIRECTION_COUNT; i++)
        if (directionCodes[i].code == code) return i;
    return -1;
}
