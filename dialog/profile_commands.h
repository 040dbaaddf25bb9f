// The dialog's profile commands.
#ifndef PADCONFIG_PROFILE_COMMANDS_H
#define PADCONFIG_PROFILE_COMMANDS_H

#include <windows.h>

// "設定を保存…": what the dialog shows, after a read, to a file the user names.
void SaveProfileForUser(HWND dialog);
// "設定を読込…": a file the user names, checked whole, onto the pad, then
// read back and compared.
void LoadProfileForUser(HWND dialog);

#endif
