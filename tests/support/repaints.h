// The dialog's repaints: every call of InvalidateRect, recorded and passed on.
#ifndef TESTS_REPAINTS_H
#define TESTS_REPAINTS_H

#include <windows.h>

// Forgets the calls so far; interposes on InvalidateRect the first time.
void StartRecordingInvalidations(void);
// How often the whole dialog was marked for repainting without erasing; -1
// after any other kind of call.
int WholeDialogInvalidations(HWND dialog);

#endif
