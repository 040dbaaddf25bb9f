#include "transcript_text.h"

#include <cstdio>
#include <cstring>

static size_t EscapeByte(unsigned char byte, char* out) {
    if (byte == '\r') return memcpy(out, "\\r", 2), 2;
    if (byte == '\n') return memcpy(out, "\\n", 2), 2;
    if (byte == '\\') return memcpy(out, "\\\\", 2), 2;
    if (byte >= 0x20 && byte < 0x7F) return *out = (char)byte, 1;
    snprintf(out, ESCAPED_BYTE_MAX + 1, "\\x%02X", byte);
    return ESCAPED_BYTE_MAX;
}

size_t EscapeWireBytes(const unsigned char* data, size_t count, char* out, size_t size) {
    size_t length = 0;
    char escaped[ESCAPED_BYTE_MAX + 1];
    for (size_t i = 0; i < count && size > 0; i++) {
        size_t taken = EscapeByte(data[i], escaped);
        if (length + taken >= size) break;
        memcpy(out + length, escaped, taken);
        length += taken;
    }
    if (size > 0) out[length] = 0;
    return length;
}
