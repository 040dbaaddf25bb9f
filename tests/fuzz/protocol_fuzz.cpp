// Arbitrary bytes through the reply parsers, the typed port names and the
// profile reader (the
// command formatters take numbers only: their edge cases are a table of the
// native test). The sanitizers catch any read or write past a buffer's end (the parsers also get
// unterminated buffers of exactly maxChars bytes); the checks below abort on a
// wrong result. The corpus, replayed first on every run, holds the replies'
// edge cases: a sign, "0x", a NUL, blanks, a byte above 127, more digits
// than count.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "port_names.h"
#include "profile_text.h"
#include "protocol.h"

static void Fail(const char* what, const char* text, size_t length, long got, long expected) {
    fprintf(stderr, "protocol_fuzz: %s: got %ld, expected %ld, text (%zu bytes):", what, got, expected, length);
    for (size_t i = 0; i < length; i++) fprintf(stderr, " %02X", (unsigned char)text[i]);
    fprintf(stderr, "\n");
    abort();
}

static std::unique_ptr<char[]> ExactCopy(const char* text, size_t n) {
    std::unique_ptr<char[]> copy(new char[n]);
    if (n) memcpy(copy.get(), text, n);
    return copy;
}

// What the parsers must agree with: strtol on the first maxChars bytes.
static int ReferenceParse(const char* text, size_t maxChars, int base) {
    std::string limited(text, strnlen(text, maxChars));
    char* end;
    long value = strtol(limited.c_str(), &end, base);
    return end == limited.c_str() ? NO_VALUE : (int)value;
}

// text holds maxChars readable bytes or a NUL before them.
static void CheckParsers(const char* text, size_t maxChars) {
    size_t shown = strnlen(text, maxChars < 64 ? maxChars : 64);
    int hex = ParseHexValue(text, maxChars);
    int decimal = ParseDecimalValue(text, maxChars);
    if (maxChars <= 7) {  // few enough digits that no value is cut short
        int expected = ReferenceParse(text, maxChars, 16);
        if (hex != expected) Fail("ParseHexValue differs from strtol", text, shown, hex, expected);
        expected = ReferenceParse(text, maxChars, 10);
        if (decimal != expected) Fail("ParseDecimalValue differs from strtol", text, shown, decimal, expected);
    }
    if (maxChars <= (size_t)REPLY_DIGITS && hex != NO_VALUE && (hex < -0xFFF || hex > 0xFFFF))
        Fail("ParseHexValue out of range", text, shown, hex, 0);
    if (maxChars <= 2 && decimal != NO_VALUE && (decimal < -9 || decimal > 99))
        Fail("ParseDecimalValue out of range", text, shown, decimal, 0);
}

static void FuzzParsers(const char* bytes, size_t size) {
    std::string terminated(bytes, size);
    CheckParsers(terminated.c_str(), size);
    CheckParsers(terminated.c_str(), SIZE_MAX);
    for (size_t maxChars = 0; maxChars <= size && maxChars <= 7; maxChars++) {
        CheckParsers(terminated.c_str(), maxChars);
        CheckParsers(ExactCopy(bytes, maxChars).get(), maxChars);
    }
    CheckParsers(ExactCopy(bytes, size).get(), size);
}

// A fault names a line the file has; a profile read is one the tool could
// write, and written back it reads as the same profile.
static void CheckProfile(const char* bytes, size_t size) {
    std::unique_ptr<char[]> exact = ExactCopy(bytes, size);
    PadSettings profile;
    ProfileCheck check = ParseProfile(exact.get(), size, &profile);
    long lines = 1 + (long)std::count(bytes, bytes + size, '\n');
    if (check.fault < PROFILE_OK || check.fault >= PROFILE_FAULTS || check.line < 0 || check.line > lines)
        Fail("ParseProfile's fault or line out of range", bytes, size, check.line, lines);
    if (check.fault != PROFILE_OK) return;
    if (profile.buttons < 0 || profile.buttons > PROFILE_BUTTONS_MAX || profile.direction < 0 ||
        profile.direction >= DIRECTION_COUNT)
        Fail("ParseProfile gave a profile out of range", bytes, size, profile.buttons, profile.direction);
    char text[256];
    size_t length = FormatProfile(profile, text, sizeof text);
    PadSettings again;
    if (length == 0 || ParseProfile(text, length, &again).fault != PROFILE_OK ||
        memcmp(&again, &profile, sizeof profile) != 0)
        Fail("a profile written back reads otherwise", bytes, size, (long)length, 0);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = (const char*)data;
    FuzzParsers(bytes, size);
    CheckProfile(bytes, size);
    int port = PortNumberOfText(ExactCopy(bytes, size).get(), size);
    if (port < 0 || port > PORT_NUMBER_MAX) Fail("PortNumberOfText out of range", bytes, size, port, 0);
    return 0;
}
