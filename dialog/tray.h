// The notification-area icon that the dialog can hide behind.
#ifndef PADCONFIG_TRAY_H
#define PADCONFIG_TRAY_H

#include <windows.h>
#include <shellapi.h>

extern int inTray;
// The shell's "TaskbarCreated" message; 0 until registered.
extern UINT taskbarCreated;
extern NOTIFYICONDATAW trayIcon;

// Adds the icon and hides the window; leaves the window shown when the shell
// refuses the icon, so that the program can still be reached.
void EnterTray(HWND window);
// Deletes the icon and shows the window again.
void LeaveTray(HWND window);
// Deletes the icon if it is there.
void RemoveTrayIcon(void);
void RegisterTaskbarCreated(HWND window);
// A restarted Explorer starts with an empty notification area: the icon is
// added again if the dialog is in it.
void RestoreTrayIcon(void);
void ShowTrayMenu(HWND window);

#endif
