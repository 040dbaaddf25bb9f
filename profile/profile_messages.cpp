// Profile files read for applying, and what the dialog's boxes and the
// command line's lines say of profiles.
#include "../texts/messages.h"
#include "../texts/text_ids.h"
#include "profile.h"

static ProfileDifference differences[PROFILE_DIFFERENCES_MAX];
static char fileText[PROFILE_SIZE_MAX + 1];  // a byte more: a larger file shows as such

int AppendDifferences(wchar_t* message, const PadSettings& wanted, const PadSettings& pad, bool countKept) {
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

ProfileLoad LoadProfileFile(const wchar_t* path, PadSettings* profile, wchar_t* message) {
    message[0] = 0;
    size_t size = 0;
    unsigned long error = ReadProfileFile(path, fileText, sizeof fileText, &size);
    if (error) {
        AppendFileFailure(message, TEXT_READ_FILE_FAILED, path, error);
        return PROFILE_UNREADABLE;
    }
    ProfileCheck check = ParseProfile(fileText, size, profile);
    if (check.fault == PROFILE_OK) return PROFILE_LOADED;
    AppendText(message, TEXT_PROFILE_FAULT + check.fault, check.line);
    return PROFILE_FAULTY;
}
