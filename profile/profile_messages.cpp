// Profile files read for applying, and what the dialog's boxes and the
// command line's lines say of profiles.
#include "../dialog/texts.h"
#include "profile.h"

static ProfileDifference differences[PROFILE_DIFFERENCES_MAX];
static char fileText[PROFILE_SIZE_MAX + 1];  // a byte more: a larger file shows as such

void AppendFileFailure(WCHAR* message, UINT text, const WCHAR* path, DWORD error) {
    WCHAR reason[512] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error, 0, reason,
                   ARRAYSIZE(reason), NULL);
    for (int end = lstrlenW(reason); end > 0 && reason[end - 1] <= L' '; end--) reason[end - 1] = 0;  // its line break
    AppendText(message, text, path);
    AppendLine(message, reason);
}

int AppendDifferences(WCHAR* message, const PadSettings& wanted, const PadSettings& pad, bool countKept) {
    int count = CompareProfiles(wanted, pad, !countKept, differences);
    AppendText(message, count ? TEXT_PAD_DIFFERS : TEXT_ALL_ON_PAD);
    for (int i = 0; i < count; i++) {
        const ProfileDifference& item = differences[i];
        AppendText(message, TEXT_DIFFERENCE + item.kind, item.kind == COUNT_DIFFERS ? pad.buttons : item.button,
                   wanted.buttons);
    }
    if (countKept) AppendText(message, TEXT_COUNT_KEPT, pad.buttons);
    return count;
}

ProfileLoad LoadProfileFile(const WCHAR* path, PadSettings* profile, WCHAR* message) {
    message[0] = 0;
    DWORD size = 0, error = ReadProfileFile(path, fileText, sizeof fileText, &size);
    if (error) {
        AppendFileFailure(message, TEXT_READ_FILE_FAILED, path, error);
        return PROFILE_UNREADABLE;
    }
    ProfileCheck check = ParseProfile(fileText, size, profile);
    if (check.fault == PROFILE_OK) return PROFILE_LOADED;
    AppendText(message, TEXT_PROFILE_FAULT + check.fault, check.line);
    return PROFILE_FAULTY;
}
