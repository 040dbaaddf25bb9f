// The texts Windows shows in windows and boxes, in the chosen language: the
// start-up's boxes and the dialog's alike.
#ifndef PADCONFIG_WINDOW_TEXTS_H
#define PADCONFIG_WINDOW_TEXTS_H

#include <windows.h>

#include "../load_text.h"
#include "../messages.h"
#include "../text_ids.h"

// The texts go to the system as UTF-16, so they read right on every code page.
void SetTextOf(HWND window, UINT text);
// The same, for a text that holds one %d.
void SetTextWithNumber(HWND window, UINT text, int number);
int ShowMessage(HWND owner, UINT text, UINT caption, UINT flags);

int ShowTextMessage(HWND owner, const WCHAR* body, UINT caption, UINT flags);
void ShowVersionBox(HWND owner);

#endif
