// Profiles on Windows: the user's Save and Load commands, whole-file reads and
// writes, and the pad side of applying one.
#ifndef PADCONFIG_PROFILE_H
#define PADCONFIG_PROFILE_H

#include <windows.h>

#include "profile_text.h"

// "設定を保存…": what the dialog shows, after a read, to a file the user names.
void SaveProfileForUser(HWND dialog);
// "設定を読込…": a file the user names, checked whole, onto the pad, then
// read back and compared.
void LoadProfileForUser(HWND dialog);

// 0, or the system's error code. A file is written beside its place and moved
// over it, so a failed write leaves what was there (or nothing) as it was.
DWORD WriteProfileFile(const WCHAR* path, const char* text, DWORD length);
// Up to size bytes into buffer; *got says how many.
DWORD ReadProfileFile(const WCHAR* path, char* buffer, DWORD size, DWORD* got);

// The profile's direction and four masks, with the commands the edits send.
void SendProfileSettings(const PadSettings& profile);

// The pad read on the open link, its count as a profile holds it.
bool ReadPadProfile(PadSettings* pad);

enum ApplyResult {
    APPLY_READ_BACK,       // pad holds the read after the settings
    APPLY_COUNT_KEPT,      // the same, on a pad whose other count was kept
    APPLY_UNREAD,          // a read failed: no pad, or the link went away
    APPLY_RESTART_FAILED
};
// Reads the pad, restarts it for the profile's count when restartOk, sends
// the settings and reads the pad back into pad, on the open link.
ApplyResult ApplyProfileToPad(const PadSettings& wanted, bool restartOk, PadSettings* pad);

// Lines for a message (dialog/texts.h): a file that could not be read or
// written, with the system's reason; how the pad differs from the profile,
// returning how many items differ.
void AppendFileFailure(WCHAR* message, UINT text, const WCHAR* path, DWORD error);
int AppendDifferences(WCHAR* message, const PadSettings& wanted, const PadSettings& pad, bool countKept);

// A file read whole and checked; when it holds no profile, message says why.
enum ProfileLoad { PROFILE_LOADED, PROFILE_UNREADABLE, PROFILE_FAULTY };
ProfileLoad LoadProfileFile(const WCHAR* path, PadSettings* profile, WCHAR* message);

#endif
