#include "wide_text.h"

#include <cwchar>

constexpr unsigned ESCAPED = 0xDC00;  // + a byte that is not UTF-8, 0x80..0xFF
constexpr bool WIDE_IS_UTF16 = sizeof(wchar_t) == 2;

// The code point at bytes and how many bytes it takes; an invalid sequence is
// its first byte alone, escaped.
static unsigned DecodeOne(const unsigned char* bytes, int* used) {
    unsigned first = bytes[0];
    int length = first < 0x80 ? 1 : first >= 0xC2 && first < 0xE0 ? 2 : first >= 0xE0 && first < 0xF0 ? 3
                 : first >= 0xF0 && first < 0xF5 ? 4 : 0;
    unsigned point = length == 1 ? first : length == 2 ? first & 0x1F : length == 3 ? first & 0x0F : first & 0x07;
    for (int i = 1; i < length; i++) {
        if ((bytes[i] & 0xC0) != 0x80) length = 0;
        if (!length) break;
        point = point << 6 | (bytes[i] & 0x3F);
    }
    static const unsigned least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (length == 0 || point < least[length] || point > 0x10FFFF || (point >= 0xD800 && point < 0xE000)) {
        *used = 1;
        return ESCAPED + first;
    }
    *used = length;
    return point;
}

bool WidenBytes(const char* bytes, wchar_t* out, size_t size) {
    const unsigned char* at = (const unsigned char*)bytes;
    size_t done = 0;
    while (*at) {
        int used;
        unsigned point = DecodeOne(at, &used);
        size_t units = WIDE_IS_UTF16 && point > 0xFFFF ? 2 : 1;
        if (done + units >= size) {
            out[done] = 0;
            return false;
        }
        if (units == 2) {
            out[done++] = (wchar_t)(0xD800 + ((point - 0x10000) >> 10));
            out[done++] = (wchar_t)(0xDC00 + ((point - 0x10000) & 0x3FF));
        } else {
            out[done++] = (wchar_t)point;
        }
        at += used;
    }
    out[done] = 0;
    return true;
}

// The code point at text[*at], a UTF-16 pair taken whole.
static unsigned NextPoint(const wchar_t* text, size_t length, size_t* at) {
    unsigned point = (unsigned)text[(*at)++];
    if (WIDE_IS_UTF16 && point >= 0xD800 && point < 0xDC00 && *at < length && (unsigned)text[*at] >= 0xDC00 &&
        (unsigned)text[*at] < 0xE000)
        point = 0x10000 + ((point - 0xD800) << 10) + ((unsigned)text[(*at)++] - 0xDC00);
    return point;
}

// The bytes of one code point; out may be null to count them.
static size_t EncodeOne(unsigned point, char* out) {
    unsigned char bytes[4];
    size_t length;
    if (point >= ESCAPED + 0x80 && point < ESCAPED + 0x100) bytes[0] = (unsigned char)(point - ESCAPED), length = 1;
    else if (point < 0x80) bytes[0] = (unsigned char)point, length = 1;
    else if (point < 0x800) bytes[0] = (unsigned char)(0xC0 | point >> 6), length = 2;
    else if (point < 0x10000) bytes[0] = (unsigned char)(0xE0 | point >> 12), length = 3;
    else bytes[0] = (unsigned char)(0xF0 | point >> 18), length = 4;
    for (size_t i = 1; i < length; i++) bytes[i] = (unsigned char)(0x80 | ((point >> (6 * (length - 1 - i))) & 0x3F));
    for (size_t i = 0; out && i < length; i++) out[i] = (char)bytes[i];
    return length;
}

bool WriteNarrow(const wchar_t* text, size_t length, WritePiece write, void* context) {
    char piece[1024];
    size_t bytes = 0;
    for (size_t at = 0; at < length;) {
        if (bytes > sizeof piece - 4) {  // room for the longest character
            if (!write(piece, bytes, context)) return false;
            bytes = 0;
        }
        bytes += EncodeOne(NextPoint(text, length, &at), piece + bytes);
    }
    return bytes == 0 || write(piece, bytes, context);
}

bool NarrowWide(const wchar_t* text, char* out, size_t size) {
    size_t length = 0, bytes = 0;
    while (text[length]) length++;
    for (size_t at = 0; at < length;) {
        unsigned point = NextPoint(text, length, &at);
        if (bytes + EncodeOne(point, nullptr) >= size) {
            if (size) out[bytes] = 0;
            return false;
        }
        bytes += EncodeOne(point, out + bytes);
    }
    if (size) out[bytes] = 0;
    return size > 0;
}

bool NarrowAscii(const wchar_t* word, char* out, size_t size) {
    size_t length = wcslen(word);
    if (length >= size) return false;
    for (size_t i = 0; i <= length; i++) {
        if ((unsigned long)word[i] > 0x7E) return false;
        out[i] = (char)word[i];
    }
    return true;
}
