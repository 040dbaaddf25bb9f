// The texts the code sets on windows and boxes, in the chosen language.
#include "window_texts.h"

#include <shellapi.h>

void SetTextOf(HWND window, UINT text) {
    WCHAR buffer[TEXT_SIZE];
    LoadText(text, buffer, TEXT_SIZE);
    SetWindowTextW(window, buffer);
}

void SetTextWithNumber(HWND window, UINT text, int number) {
    WCHAR format[TEXT_SIZE], buffer[TEXT_SIZE + 16];
    LoadText(text, format, TEXT_SIZE);
    wsprintfW(buffer, format, number);  // the text is at most TEXT_SIZE, a number 11 more
    SetWindowTextW(window, buffer);
}

int ShowMessage(HWND owner, UINT text, UINT caption, UINT flags) {
    WCHAR body[TEXT_SIZE];
    LoadText(text, body, TEXT_SIZE);
    return ShowTextMessage(owner, body, caption, flags);
}

int ShowTextMessage(HWND owner, const WCHAR* body, UINT caption, UINT flags) {
    WCHAR title[TEXT_SIZE];
    LoadText(caption, title, TEXT_SIZE);
    return MessageBoxW(owner, body, title, flags);
}

void ShowVersionBox(HWND owner) {
    WCHAR app[TEXT_SIZE], extra[TEXT_SIZE];
    LoadText(TEXT_ABOUT_APP, app, TEXT_SIZE);
    LoadText(TEXT_ABOUT_EXTRA, extra, TEXT_SIZE);
    ShellAboutW(owner, app, extra, NULL);
}
