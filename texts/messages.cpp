#include "messages.h"

#include <cwchar>

#include "load_text.h"

void AppendLine(wchar_t* message, const wchar_t* line) {
    int length = (int)wcslen(message);
    if (length > 0 && length < MESSAGE_SIZE - 1) message[length++] = L'\n';
    wcsncpy(message + length, line, MESSAGE_SIZE - length - 1);
    message[MESSAGE_SIZE - 1] = 0;
}

// Libraries differ on what a cut output returns and whether it ends in a
// NUL: either way the text ends inside the buffer, with "…" where it was cut.
int FormatTextList(wchar_t* out, int size, const wchar_t* format, va_list arguments) {
    if (size <= 0) return 0;
    int length = vswprintf(out, (size_t)size, format, arguments);
    if (length < 0 || length >= size) {
        out[size - 1] = 0;
        if (size > 1) out[size - 2] = L'…';
    }
    return (int)wcslen(out);
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
