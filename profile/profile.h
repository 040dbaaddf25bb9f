// Profiles on the pad and in files, for the dialog and the command line on
// every system: whole-file reads and writes, and the pad side of applying one.
#ifndef PADCONFIG_PROFILE_H
#define PADCONFIG_PROFILE_H

#include <cstddef>

#include "profile_text.h"

// 0, or the system's error code. A file is written beside its place, made
// durable and moved over it, so a failed write leaves what was there (or
// nothing) as it was. Each system has its own (profile/windows, profile/posix).
unsigned long WriteProfileFile(const wchar_t* path, const char* text, size_t length);
// Up to size bytes into buffer; *got says how many.
unsigned long ReadProfileFile(const wchar_t* path, char* buffer, size_t size, size_t* got);

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

// Lines for a message (texts/messages.h): how the pad differs from the
// profile; returns how many items differ.
int AppendDifferences(wchar_t* message, const PadSettings& wanted, const PadSettings& pad, bool countKept);

// A file read whole and checked; when it holds no profile, message says why.
enum ProfileLoad { PROFILE_LOADED, PROFILE_UNREADABLE, PROFILE_FAULTY };
ProfileLoad LoadProfileFile(const wchar_t* path, PadSettings* profile, wchar_t* message);

#endif
