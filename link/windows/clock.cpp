// Time on Windows.
#include <windows.h>

#include "../clock.h"

double ClockMs(void) {
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

void PauseMs(unsigned ms) { Sleep(ms); }

// Sent messages only (another program asking whether the window is alive):
// nothing posted, no input, is handled in the middle of an action.
void AnswerWhileWaiting(void) {
    MSG message;
    PeekMessageA(&message, NULL, 0, 0, PM_NOREMOVE);
}

void ReadLocalTime(LocalTime* now) {
    SYSTEMTIME time;
    GetLocalTime(&time);
    *now = {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, time.wMilliseconds};
}
