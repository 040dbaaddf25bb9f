// The command line's words and the transcript's escaping, as tables.
#include <gtest/gtest.h>

#include <cstdarg>
#include <cwchar>
#include <string>
#include <vector>

#include "arguments.h"
#include "messages.h"
#include "transcript_text.h"

namespace {

struct EscapeCase {
    std::string bytes;
    size_t size;
    const char* expected;
};
const EscapeCase escapeCases[] = {
    {"1_num?\r", 64, "1_num?\\r"},       {"OK\r\n00FF\r\n", 64, "OK\\r\\n00FF\\r\\n"},
    {std::string("\0\x7F\xFF\\", 4), 64, "\\x00\\x7F\\xFF\\\\"},
    {"ab\x01", 6, "ab"},                 // "\x01" would not fit whole
    {"ab\x01", 7, "ab\\x01"},            {"", 1, ""},
};

TEST(Transcript, BytesEscapedWhole) {
    for (const EscapeCase& c : escapeCases) {
        std::vector<char> out(c.size + 4, '#');
        size_t length = EscapeWireBytes((const unsigned char*)c.bytes.data(), c.bytes.size(), out.data(), c.size);
        EXPECT_STREQ(out.data(), c.expected) << "size " << c.size;
        EXPECT_EQ(length, strlen(c.expected));
        for (size_t i = c.size; i < out.size(); i++) ASSERT_EQ(out[i], '#') << "wrote past byte " << c.size;
    }
}

struct ArgumentCase {
    std::vector<const wchar_t*> words;
    ArgumentFault fault;
    int word;  // at fault
    RunMode mode;
    const char* port;  // the system's name of it: here a device's path, kept whole
};
const std::wstring longPath = L"/dev/serial/by-id/" + std::wstring(240, L'x');  // 258 bytes
const ArgumentCase argumentCases[] = {
    {{}, ARGUMENTS_OK, 0, RUN_DIALOG, ""},
    {{L"--port=/dev/serial/by-id/usb-pad if00", L"--read"}, ARGUMENTS_OK, 0, RUN_READ, "/dev/serial/by-id/usb-pad if00"},
    {{L"--port", L"パッド", L"--list"}, ARGUMENTS_OK, 0, RUN_LIST, "\xe3\x83\x91\xe3\x83\x83\xe3\x83\x89"},
    {{L"--port", L"\xdcff" L"a"}, ARGUMENTS_OK, 0, RUN_DIALOG, "\xff" "a"},  // a byte that was no UTF-8, given back
    {{L"--save", L"a b.padprofile", L"--read"}, ARGUMENTS_OK, 0, RUN_READ, ""},
    {{L"--apply", L"x", L"--restart-ok", L"--log", L"l", L"--lang", L"en"}, ARGUMENTS_OK, 0, RUN_APPLY, ""},
    {{L"--read", L"--port", longPath.c_str()}, BAD_PORT, 2, RUN_READ, ""},
    {{L"--read", L"--Port", L"/dev/ttyACM0"}, UNKNOWN_OPTION, 1, RUN_READ, ""},
    {{L"--read=yes"}, UNKNOWN_OPTION, 0, RUN_DIALOG, ""},
    {{L"--log"}, MISSING_VALUE, 0, RUN_DIALOG, ""},
    {{L"--port="}, MISSING_VALUE, 0, RUN_DIALOG, ""},
    {{L"--apply=", L"--port", L"/dev/ttyUSB1"}, MISSING_VALUE, 0, RUN_APPLY, "/dev/ttyUSB1"},
    {{L"--save", L"--release-all"}, MISSING_VALUE, 0, RUN_READ, ""},
    {{L"--read", L"--apply", L"f"}, MODES_CONFLICT, 1, RUN_READ, ""},
    {{L"--help", L"--version"}, MODES_CONFLICT, 1, RUN_HELP, ""},
    {{L"--lang", L"ja", L"--lang", L"en"}, REPEATED_OPTION, 2, RUN_DIALOG, ""},
    {{L"--release-all", L"--restart-ok"}, RESTART_WITHOUT_APPLY, 0, RUN_RELEASE_ALL, ""},
    {{L"--list", L"--port=COM33", L"--log", L"l"}, ARGUMENTS_OK, 0, RUN_LIST, "COM33"},  // a file here like any other
    {{L"--read", L"--list"}, MODES_CONFLICT, 1, RUN_READ, ""},
    {{L"--list=all"}, UNKNOWN_OPTION, 0, RUN_DIALOG, ""},
};

TEST(CommandLine, WordsCheckedWhole) {
    for (const ArgumentCase& c : argumentCases) {
        std::wstring shown;
        for (const wchar_t* word : c.words) shown += std::wstring(word) + L" ";
        Arguments arguments;
        ArgumentCheck check = ParseArguments((int)c.words.size(), c.words.data(), &arguments);
        std::string label(shown.begin(), shown.end());  // cut to bytes: a label only
        EXPECT_EQ(check.fault, c.fault) << label;
        if (c.fault) EXPECT_EQ(check.word, c.word) << label;
        EXPECT_EQ(arguments.mode, c.mode) << label;
        EXPECT_STREQ(arguments.port, c.port) << label;
    }
}

std::wstring Formatted(int size, const wchar_t* format, ...) {
    std::vector<wchar_t> out(size + 4, L'#');
    va_list arguments;
    va_start(arguments, format);
    int length = FormatTextList(out.data(), size, format, arguments);
    va_end(arguments);
    EXPECT_EQ(length, (int)wcslen(out.data())) << "the length told";
    for (int i = size; i < size + 4; i++) EXPECT_EQ(out[i], L'#') << "wrote past " << size;
    return out.data();
}

// The texts' own conversions, the same on every system and in every locale.
TEST(Messages, FilledAndCutVisibly) {
    EXPECT_EQ(Formatted(64, L"%ls は %d。", L"/dev/ttyACM0", -2147483647 - 1), L"/dev/ttyACM0 は -2147483648。");
    EXPECT_EQ(Formatted(64, L"(0x%04X) 100%% %X", 0x3003u, 0xABCDEFu), L"(0x3003) 100% ABCDEF");
    EXPECT_EQ(Formatted(64, L"%ls|%ls", L"\xdcff\U0001F600", L""), L"\xdcff\U0001F600|");
    EXPECT_EQ(Formatted(8, L"Cannot open %ls.", L"COM1"), L"Cannot…");
    EXPECT_EQ(Formatted(1, L"%d", 5), L"");
}

}  // namespace
