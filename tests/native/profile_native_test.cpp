// Profiles as text, one table: a file's bytes, and what reading them gives,
// the profile written back (CR LF shown as " | ") or the fault and its line.
#include <gtest/gtest.h>

#include <string>

#include "profile_text.h"

namespace {

const char* const faultNames[PROFILE_FAULTS] = {
    "ok", "empty", "too large", "not utf-8", "long line", "no section", "unknown key", "repeated key",
    "missing key", "not a number", "bad count", "bad direction", "bad button", "above count"};

std::string Read(const std::string& bytes) {
    PadSettings profile = {};
    ProfileCheck check = ParseProfile(bytes.data(), bytes.size(), &profile);
    if (check.fault != PROFILE_OK) return std::string(faultNames[check.fault]) + " @" + std::to_string(check.line);
    char text[256];
    std::string written(text, FormatProfile(profile, text, sizeof text)), shown;
    for (char c : written) shown += c == '\r' ? "" : c == '\n' ? " | " : std::string(1, c);
    return shown;
}

#define PAD "[pad]\nbuttons=12\ndirection=up-right\n"
const std::string lineOf1000 = PAD "set=1" + std::string(995, ' ') + "\n";
const std::string kanji1000 = "; " + [] { std::string s; for (int i = 0; i < 998; i++) s += "\xE8\xA1\xA8"; return s; }();

// A text as a UTF-16 file with its mark, little- or big-endian.
std::string Utf16(const std::u16string& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        char high = (char)(unit >> 8), low = (char)(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

const struct { std::string bytes; const char* read; } cases[] = {
    {PAD "set=1,3,9,10\n", "[pad] | buttons=12 | direction=up-right | set=1,3,9,10 | "},
    {"\xEF\xBB\xBF; mine\r\n\r\n [PAD] \r\nSET = 12 , 1\r\nDirection=Centre\r\nbuttons=0012",
     "[pad] | buttons=12 | direction=centre | set=1,12 | "},
    {"[pad]\nbuttons=8\ndirection=Center\nset=", "[pad] | buttons=8 | direction=centre | set= | "},
    {"[pad]\nbuttons=0\ndirection=up-left\nset=", "[pad] | buttons=0 | direction=up-left | set= | "},
    {"[pad]\nbuttons=32\ndirection=left\nset=32,1,1", "[pad] | buttons=32 | direction=left | set=1,32 | "},
    {lineOf1000, "[pad] | buttons=12 | direction=up-right | set=1 | "},
    {kanji1000 + "\n" PAD "set=", "[pad] | buttons=12 | direction=up-right | set= | "},
    {"", "empty @0"},
    {"\xEF\xBB\xBF", "empty @0"},
    {std::string(PROFILE_SIZE_MAX + 1, ';'), "too large @0"},
    {PAD "set=1\n;\xC3\x28", "not utf-8 @5"},
    {"; \xED\xA0\x80", "not utf-8 @1"},
    {"; \xE0\x80\xAF", "not utf-8 @1"},
    {"; \xE8\xA1", "not utf-8 @1"},
    {PAD "set=1" + std::string(996, ' '), "long line @4"},
    {kanji1000 + "\xE8\xA1\xA8", "long line @1"},
    {"buttons=12\n[pad]", "no section @1"},
    {"; nothing\n\n", "no section @2"},
    {PAD "set=\n[pad]", "no section @5"},
    {PAD "set=\n[other]", "no section @5"},
    {PAD "set=\ncolour=red", "unknown key @5"},
    {PAD "set=\njust words", "unknown key @5"},
    {PAD "set=\nbuttons=12", "repeated key @5"},
    {"\n[pad]\nbuttons=12\nset=1", "missing key @2"},
    {"[pad]\nbuttons=-1\ndirection=up\nset=", "not a number @2"},
    {PAD "set=1,,3", "not a number @4"},
    {PAD "set=1, 3 ; hmm", "not a number @4"},
    {"[pad]\nbuttons=33\ndirection=up\nset=", "bad count @2"},
    {"[pad]\nbuttons=99999999999999999999\ndirection=up\nset=", "bad count @2"},
    {"[pad]\nbuttons=8\ndirection=upright\nset=", "bad direction @3"},
    {PAD "set=0", "bad button @4"},
    {PAD "set=33", "bad button @4"},
    {"[pad]\nset=1,13\nbuttons=12\ndirection=up", "above count @2"},
    // Windows PowerShell writes UTF-16LE with a mark; the big-endian mark is read too.
    {Utf16(u"[pad]\r\nbuttons=12\r\ndirection=up-right\r\nset=1,3\r\n", false),
     "[pad] | buttons=12 | direction=up-right | set=1,3 | "},
    {Utf16(u"; \u8868\U0001F3AE\n[pad]\nbuttons=2\ndirection=left\nset=2", true),
     "[pad] | buttons=2 | direction=left | set=2 | "},
    {Utf16(u"[pad]\r\nbuttons=x\r\ndirection=up\r\nset=", false), "not a number @2"},
    {Utf16(u"[pad]\nbuttons=1\ndirection=up\nset=2", true), "above count @4"},
    {Utf16(u"[pad]\n; \xD800 alone", false), "not utf-8 @2"},
    {Utf16(u"[pad]\n; \xDC00", true), "not utf-8 @2"},
    {Utf16(u"[pad]\nbuttons=1\ndirection=up\nset=1", false) + "\n", "not utf-8 @4"},
    {Utf16(u"; " + std::u16string(999, u'\u8868'), false), "long line @1"},
    {Utf16(u"", false), "empty @0"},
};

TEST(Profile, FilesReadAndWrittenBack) {
    for (const auto& c : cases) EXPECT_EQ(Read(c.bytes), c.read) << c.bytes.substr(0, 60);
}

TEST(Profile, DifferencesFromThePad) {
    PadSettings wanted = {12, 2, {0x05, 0x03, 0, 0}}, pad = {16, 1, {0x05, 0x06, 0, 0x80}};
    ProfileDifference found[PROFILE_DIFFERENCES_MAX];
    std::string seen;
    for (bool count : {true, false}) {
        int n = CompareProfiles(wanted, pad, count, found);
        for (int i = 0; i < n; i++) seen += std::to_string(found[i].kind) + ":" + std::to_string(found[i].button) + " ";
        seen += "| ";
    }
    EXPECT_EQ(seen, "0:0 1:0 2:9 3:11 3:32 | 1:0 2:9 3:11 3:32 | ");
    EXPECT_EQ(CompareProfiles(wanted, wanted, true, found), 0);
}

}  // namespace
