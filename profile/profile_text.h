// Pad profiles as text: an INI file with one [pad] section of three keys,
//   buttons=12 / direction=up-right / set=1,3,9,10
// read and written here, and compared with what a pad holds. No Windows
// types, so it also builds natively for the sanitizer and fuzzing runs.
#ifndef PADCONFIG_PROFILE_TEXT_H
#define PADCONFIG_PROFILE_TEXT_H

#include <cstddef>

#include "../link/protocol.h"

constexpr size_t PROFILE_SIZE_MAX = 64 * 1024;
constexpr int PROFILE_LINE_MAX = 1000;  // characters, line break aside
constexpr int PROFILE_BUTTONS_MAX = SHOWN_GROUPS * BUTTONS_PER_GROUP;
constexpr size_t PROFILE_TEXT_MAX = 256;  // FormatProfile's longest text, with room to spare


// What is wrong with a file, in the order a reader meets it.
enum ProfileFault {
    PROFILE_OK,
    PROFILE_EMPTY,
    PROFILE_TOO_LARGE,      // over PROFILE_SIZE_MAX bytes
    PROFILE_NOT_UTF8,
    PROFILE_LONG_LINE,      // over PROFILE_LINE_MAX characters
    PROFILE_NO_SECTION,     // a setting or section not under one [pad]
    PROFILE_UNKNOWN_KEY,    // also a line that is no key=value
    PROFILE_REPEATED_KEY,
    PROFILE_MISSING_KEY,    // told at the [pad] line
    PROFILE_NOT_A_NUMBER,
    PROFILE_BAD_COUNT,      // outside 0..32
    PROFILE_BAD_DIRECTION,
    PROFILE_BAD_BUTTON,     // outside 1..32
    PROFILE_ABOVE_COUNT,    // a set button above the count, told at the set line
    PROFILE_FAULTS
};

struct ProfileCheck {
    ProfileFault fault;
    int line;  // 1-based; 0 for the whole file
};

// Checks the whole of size bytes (UTF-8, with or without a byte order mark,
// or UTF-16 after its mark, as Windows PowerShell writes files);
// profile is filled only when the result is PROFILE_OK.
ProfileCheck ParseProfile(const char* text, size_t size, PadSettings* profile);

// The file's text, CR LF line breaks; buttons above the count are left out.
// Returns its length, or 0 when out (of size bytes) is too small.
size_t FormatProfile(const PadSettings& profile, char* out, size_t size);

// A pad's count as its profile holds it, and as the dialog's boxes show it:
// a count over 32 has 32 boxes.
int ShownCount(int padCount);

// How a pad's settings differ from a profile's, one item each.
enum DifferenceKind { COUNT_DIFFERS, DIRECTION_DIFFERS, BUTTON_NOT_SET, BUTTON_EXTRA };
struct ProfileDifference {
    DifferenceKind kind;
    int button;  // 1..32, for the button kinds
};
constexpr int PROFILE_DIFFERENCES_MAX = 2 + PROFILE_BUTTONS_MAX;
// Fills out with what the pad holds otherwise than wanted (the count only
// when compareCount); returns how many items.
int CompareProfiles(const PadSettings& wanted, const PadSettings& pad, bool compareCount,
                    ProfileDifference out[PROFILE_DIFFERENCES_MAX]);

#endif
