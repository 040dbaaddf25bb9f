// The texts the code sets, from the string table of the chosen language.
#include "texts.h"

#include <shellapi.h>
#define STRSAFE_NO_DEPRECATE
#include <strsafe.h>

#include "../shell/app.h"

constexpr int TEXT_SIZE = 256;  // the longest text with room to spare

void SetTextOf(HWND window, UINT text) {
    WCHAR buffer[TEXT_SIZE] = L"";
    LoadStringW(hInstance, text, buffer, TEXT_SIZE);
    SetWindowTextW(window, buffer);
}

void SetTextWithNumber(HWND window, UINT text, int number) {
    WCHAR format[TEXT_SIZE] = L"", buffer[TEXT_SIZE + 16];
    LoadStringW(hInstance, text, format, TEXT_SIZE);
    wsprintfW(buffer, format, number);  // the text is at most TEXT_SIZE, a number 11 more
    SetWindowTextW(window, buffer);
}

int ShowMessage(HWND owner, UINT text, UINT caption, UINT flags) {
    WCHAR body[TEXT_SIZE] = L"";
    LoadStringW(hInstance, text, body, TEXT_SIZE);
    return ShowTextMessage(owner, body, caption, flags);
}

int ShowTextMessage(HWND owner, const WCHAR* body, UINT caption, UINT flags) {
    WCHAR title[TEXT_SIZE] = L"";
    LoadStringW(hInstance, caption, title, TEXT_SIZE);
    return MessageBoxW(owner, body, title, flags);
}

void AppendLine(WCHAR* message, const WCHAR* line) {
    int length = lstrlenW(message);
    if (length > 0 && length < MESSAGE_SIZE - 1) message[length++] = L'\n';
    lstrcpynW(message + length, line, MESSAGE_SIZE - length);
}

int FormatTextList(WCHAR* out, int size, const WCHAR* format, va_list arguments) {
    if (StringCchVPrintfW(out, size, format, arguments) == STRSAFE_E_INSUFFICIENT_BUFFER && size > 1)
        out[size - 2] = L'…';
    return lstrlenW(out);
}

int FormatText(WCHAR* out, int size, const WCHAR* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    int length = FormatTextList(out, size, format, arguments);
    va_end(arguments);
    return length;
}

void AppendTextList(WCHAR* message, UINT text, va_list arguments) {
    WCHAR format[TEXT_SIZE] = L"";
    LoadStringW(hInstance, text, format, TEXT_SIZE);
    AppendLine(message, L"");  // the line break, after a line
    int length = lstrlenW(message);
    FormatTextList(message + length, MESSAGE_SIZE - length, format, arguments);
}

void AppendText(WCHAR* message, UINT text, ...) {
    va_list arguments;
    va_start(arguments, text);
    AppendTextList(message, text, arguments);
    va_end(arguments);
}

void ShowVersionBox(HWND owner) {
    WCHAR app[TEXT_SIZE] = L"", extra[TEXT_SIZE] = L"";
    LoadStringW(hInstance, TEXT_ABOUT_APP, app, TEXT_SIZE);
    LoadStringW(hInstance, TEXT_ABOUT_EXTRA, extra, TEXT_SIZE);
    ShellAboutW(owner, app, extra, NULL);
}
