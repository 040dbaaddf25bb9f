#include "port_names.h"

static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

static char Upper(char c) { return (c >= 'a' && c <= 'z') ? (char)(c - 'a' + 'A') : c; }

int PortNumberOfText(const char* text, size_t length) {
    while (length > 0 && IsBlank(*text)) text++, length--;
    while (length > 0 && IsBlank(text[length - 1])) length--;
    if (length < 4 || length > 6 || Upper(text[0]) != 'C' || Upper(text[1]) != 'O' || Upper(text[2]) != 'M')
        return 0;
    if (text[3] == '0') return 0;  // "COM01" names no port
    int number = 0;
    for (size_t i = 3; i < length; i++) {
        if (text[i] < '0' || text[i] > '9') return 0;
        number = number * 10 + (text[i] - '0');
    }
    return number <= PORT_NUMBER_MAX ? number : 0;
}
