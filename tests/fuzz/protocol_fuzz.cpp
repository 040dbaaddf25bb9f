// Arbitrary bytes through the reply parsers, the command formatters and the
// stand-in's command handling. The sanitizers catch any read or write past a
// buffer's end (the parsers also get unterminated buffers of exactly maxChars
// bytes); the checks below abort on a wrong result.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "pad_state.h"
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

// Consumes the input as the formatters' arguments; zeros once it runs out.
struct Reader {
    const char* bytes;
    size_t left;
    unsigned Byte() { return left ? (left--, (unsigned char)*bytes++) : 0; }
    int Int() {
        uint32_t value = 0;
        for (int i = 0; i < 4; i++) value = value << 8 | Byte();
        int result;
        memcpy(&result, &value, sizeof result);
        return result;
    }
    std::string Text(size_t most) {
        std::string text;
        while (left && text.size() < most && *bytes) text += (char)Byte();
        Byte();  // the terminator
        return text;
    }
};

// A formatter's output in a buffer of exactly size bytes against the text it
// should hold ("" for nothing to send).
static void CheckFormatted(const char* what, const char* out, size_t size, int length, const std::string& expected) {
    bool fits = !expected.empty() && expected.size() < size;
    if (fits && (length != (int)expected.size() || memcmp(out, expected.c_str(), expected.size() + 1) != 0))
        Fail(what, out, strnlen(out, size), length, (long)expected.size());
    if (!fits && length != 0) Fail(what, out, strnlen(out, size), length, 0);
    if (!fits && !expected.empty() && size > 0 && out[0] != 0)
        Fail("partial command left in the buffer", out, strnlen(out, size), length, 0);
}

static std::string Printed(const std::string& prefix, int value) {
    char text[64];
    snprintf(text, sizeof text, "%s%03d", prefix.c_str(), value);
    return text;
}

static void FuzzFormatters(const char* bytes, size_t size) {
    Reader in = {bytes, size};
    size_t bufferSize = in.Byte() % 24;
    int value = in.Int();
    int count = (signed char)in.Byte();
    ButtonGroup group = (ButtonGroup)(in.Byte() % GROUP_COUNT);
    std::string prefix = in.Text(16);
    std::unique_ptr<char[]> out(new char[bufferSize]);

    CheckFormatted("FormatArgument", out.get(), bufferSize,
                   FormatArgument(out.get(), bufferSize, prefix.c_str(), value), Printed(prefix, value));
    std::string groupPrefix = std::string("buttom_") + GroupLetter(group) + "=";
    CheckFormatted("FormatGroupCommand", out.get(), bufferSize,
                   FormatGroupCommand(out.get(), bufferSize, group, value & MASK_ALL),
                   Printed(groupPrefix, value & MASK_ALL));
    const int counts[] = {count, value};
    for (int c : counts) {
        std::string expected = c == 0 ? CMD_COUNT_ZERO : (c >= 1 && c <= 32) ? Printed(CMD_COUNT_PREFIX, c) : "";
        int length = FormatCountCommand(out.get(), bufferSize, c);
        CheckFormatted("FormatCountCommand", out.get(), bufferSize, length, expected);
        if (length == 0) continue;
        PadState pad;
        ApplyCommand(pad, out.get());
        Answer restarted = ApplyCommand(pad, CMD_REBOOT);
        if (restarted.value != c) Fail("count lost through the stand-in", out.get(), length, restarted.value, c);
    }
}

static bool SamePad(const PadState& a, const PadState& b) {
    return a.buttonCount == b.buttonCount && a.direction == b.direction && a.pendingCount == b.pendingCount &&
           memcmp(a.masks, b.masks, sizeof a.masks) == 0;
}

static bool PadInRange(const PadState& s) {
    bool ok = s.buttonCount >= 0 && s.buttonCount <= 255 && s.direction >= 0 && s.direction <= 255 &&
              s.pendingCount >= -1 && s.pendingCount <= 255;
    for (int mask : s.masks) ok = ok && mask >= 0 && mask <= 255;
    return ok;
}

static void CheckCommand(PadState& pad, const std::string& line) {
    PadState before = pad;
    Answer answer = ApplyCommand(pad, line);
    const char* text = line.data();
    if ((answer.kind == ANSWER_UNKNOWN || answer.kind == ANSWER_VALUE) && !SamePad(before, pad))
        Fail("a query or unknown command changed the state", text, line.size(), answer.kind, -1);
    if (!PadInRange(pad)) Fail("state out of range", text, line.size(), answer.kind, -1);
    if (answer.kind == ANSWER_ACK && line.compare(0, 7, "buttom_") == 0 && line.size() != 12)
        Fail("argument command of the wrong length taken", text, line.size(), (long)line.size(), 12);
    if (answer.kind == ANSWER_REBOOT && (line != CMD_REBOOT || answer.value != pad.buttonCount))
        Fail("restart", text, line.size(), answer.value, pad.buttonCount);
    if (answer.kind == ANSWER_VALUE) {
        std::string reply = ValueReply(answer.value);
        int read = ParseHexValue(reply.c_str(), REPLY_DIGITS);
        if (reply.size() != 6 || read != answer.value) Fail("value reply", reply.c_str(), reply.size(), read, answer.value);
    }
}

// The input as the lines the tool would send, each ended by CR, and as one line.
static void FuzzPad(const char* bytes, size_t size) {
    std::string input(bytes, size);
    PadState pad;
    size_t start = 0;
    for (size_t end; (end = input.find('\r', start)) != std::string::npos; start = end + 1)
        CheckCommand(pad, input.substr(start, end - start));
    CheckCommand(pad, input.substr(start));
    PadState fresh;
    CheckCommand(fresh, input);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = (const char*)data;
    FuzzParsers(bytes, size);
    FuzzFormatters(bytes, size);
    FuzzPad(bytes, size);
    return 0;
}
