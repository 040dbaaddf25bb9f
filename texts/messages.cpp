#include "messages.h"

#include <cstdarg>
#include <cwchar>

#include "load_text.h"

void AppendLine(wchar_t* message, const wchar_t* line) {
    int length = (int)wcslen(message);
    if (length > 0 && length < MESSAGE_SIZE - 1) message[length++] = L'\n';
    wcsncpy(message + length, line, MESSAGE_SIZE - length - 1);
    message[MESSAGE_SIZE - 1] = 0;
}

// The texts hold only %d, %X (with a width and zeros: %04X), %ls and %%:
// filled here, the same on every system, whatever the locale (a C library's
// wide printf may refuse characters its locale cannot encode).
struct Output {
    wchar_t* out;
    int size, length;
    bool cut;
};

static void Put(Output* to, wchar_t c) {
    if (to->length < to->size - 1) to->out[to->length++] = c;
    else to->cut = true;
}

static void PutNumber(Output* to, unsigned long long value, bool negative, unsigned base, int width) {
    wchar_t digits[24];
    int count = 0;
    do digits[count++] = L"0123456789ABCDEF"[value % base], value /= base;
    while (value);
    if (negative) Put(to, L'-');
    for (int pad = count; pad < width; pad++) Put(to, L'0');
    while (count) Put(to, digits[--count]);
}

// One conversion after its '%'; returns where the format goes on.
static const wchar_t* Convert(Output* to, const wchar_t* at, va_list* arguments) {
    int width = 0;
    while (*at >= L'0' && *at <= L'9') width = width * 10 + (*at++ - L'0');
    if (*at == L'd') {
        long long value = va_arg(*arguments, int);
        PutNumber(to, (unsigned long long)(value < 0 ? -value : value), value < 0, 10, width);
    } else if (*at == L'X') {
        PutNumber(to, va_arg(*arguments, unsigned), false, 16, width);
    } else if (at[0] == L'l' && at[1] == L's') {
        const wchar_t* text = va_arg(*arguments, const wchar_t*);
        while (text && *text) Put(to, *text++);
        at++;
    } else if (*at) {
        Put(to, *at);  // "%%", or a conversion no text holds: as it stands
    }
    return *at ? at + 1 : at;
}

int FormatTextList(wchar_t* out, int size, const wchar_t* format, va_list arguments) {
    if (size <= 0) return 0;
    Output to = {out, size, 0, false};
    va_list taken;
    va_copy(taken, arguments);
    for (const wchar_t* at = format; *at;) at = *at == L'%' ? Convert(&to, at + 1, &taken) : (Put(&to, *at), at + 1);
    va_end(taken);
    if (to.cut && size > 1) to.out[size - 2] = L'…';
    out[to.length] = 0;
    return to.length;
}

int FormatText(wchar_t* out, int size, const wchar_t* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    int length = FormatTextList(out, size, format, arguments);
    va_end(arguments);
    return length;
}

void AppendTextList(wchar_t* message, unsigned text, va_list arguments) {
    wchar_t format[TEXT_SIZE] = L"";
    LoadText(text, format, TEXT_SIZE);
    AppendLine(message, L"");  // the line break, after a line
    int length = (int)wcslen(message);
    FormatTextList(message + length, MESSAGE_SIZE - length, format, arguments);
}

void AppendText(wchar_t* message, unsigned text, ...) {
    va_list arguments;
    va_start(arguments, text);
    AppendTextList(message, text, arguments);
    va_end(arguments);
}

void AppendFileFailure(wchar_t* message, unsigned text, const wchar_t* path, unsigned long error) {
    wchar_t reason[512] = L"";
    SystemErrorText(error, reason, 512);
    AppendText(message, text, path);
    AppendLine(message, reason);
}
