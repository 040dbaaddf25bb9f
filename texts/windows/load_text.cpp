// Texts from the program's string tables, in the language the loader was
// told to use.
#include <windows.h>

#include "../load_text.h"

int LoadText(unsigned text, wchar_t* out, int size) {
    out[0] = 0;
    return LoadStringW(GetModuleHandleW(NULL), text, out, size);
}

void SystemErrorText(unsigned long error, wchar_t* out, int size) {
    out[0] = 0;
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, (DWORD)error, 0, out, size, NULL);
    for (int end = lstrlenW(out); end > 0 && out[end - 1] <= L' '; end--) out[end - 1] = 0;  // its line break
}
