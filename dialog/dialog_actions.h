// What the dialog's handlers share: its controls' windows, their states and
// the pad actions, for the procedure to dispatch to.
#ifndef PADCONFIG_DIALOG_ACTIONS_H
#define PADCONFIG_DIALOG_ACTIONS_H

#include <windows.h>

#include "../link/protocol.h"

// Defined in dialog_state.cpp.
extern HWND portListWindow;
extern HWND countListWindow;
extern HWND padInfoButton;
extern HWND restartButton;
extern int groupMask;
extern int restartStarted;

// port: COMn to choose in the port list, 0 for the first row.
void OnInitDialog(HWND dialog, int port);
// Opens the link to the port chosen in the port list, unless it is open; an
// unusable port is told in a box. 1 when the link is usable, 0 when not.
int OpenLink(HWND dialog);
// 0 when the link is usable, 1 when not: shaped like a window procedure.
int CheckLink(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// 1 enables the editing controls, 0 disables them (and every check box);
// any other value does nothing.
void SetEditControlsEnabled(HWND dialog, int flag);
// The editing controls are enabled: what the dialog shows, a read produced.
bool ShowsReadConfiguration(HWND dialog);
void SetStatusText(HWND dialog, UINT text);  // a string table identifier
// Status "未接続" (Not connected), repainted.
void ShowNotConnected(HWND dialog);
// After exchanges on a link that was open: true, with "未接続" shown, when the
// port went away meanwhile.
bool ShowIfLinkLost(HWND dialog);

// Device notifications: the open port's removal, ports that arrive.
void WatchDevices(HWND dialog);
INT_PTR OnDeviceChange(HWND dialog, WPARAM event, LPARAM data);

// Check boxes and radio buttons.
int ButtonControlId(int button);        // button 0..31
int RadioControlId(int directionIndex); // index into directionCodes
// The group's mask of checked boxes; the checked position (centre when none).
int CheckedMask(HWND dialog, ButtonGroup group);
int CheckedDirection(HWND dialog);
void SetAllButtonChecks(HWND dialog, WPARAM state);
void ClearDirectionRadios(HWND dialog);
void ResetButtonControls(HWND dialog, WPARAM state);

// Pad actions.
void ReadPadConfiguration(HWND dialog);
void SendButtonGroup(HWND dialog, ButtonGroup group);
void SendDirection(HWND dialog, int radio);
void PressAllButtons(HWND dialog);
void ReleaseAllButtons(HWND dialog);
void RestartDevice(HWND dialog);
void FindPadForUser(HWND dialog);

#endif
