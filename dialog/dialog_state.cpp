// The dialog's controls and states that its handlers share.
#include "dialog_actions.h"

HWND portListWindow;
HWND countListWindow;
HWND padInfoButton;
HWND restartButton;
int groupMask;
int restartStarted;
