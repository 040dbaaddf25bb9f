// The text side of the pad's protocol: argument formatting, reply parsing,
// button masks and direction codes. No Windows types, so it also builds
// natively for fuzzing and sanitizer runs.
#ifndef PADCONFIG_PROTOCOL_H
#define PADCONFIG_PROTOCOL_H

#include <climits>
#include <cstddef>

// A reply that held no digit at all. Four hexadecimal characters with a sign
// give -0xFFF..0xFFFF, so this can never be a real value.
constexpr int NO_VALUE = INT_MIN;

// Only the first four characters of a reply count.
constexpr int REPLY_DIGITS = 4;

// Every command that carries a number is this long: prefix "buttom_x=" and
// three decimal digits.
constexpr int ARGUMENT_COMMAND_LENGTH = 12;

// Button groups: the pad's 32 buttons as four 8-bit masks b..e; f exists on
// the wire only.
enum ButtonGroup { GROUP_B, GROUP_C, GROUP_D, GROUP_E, GROUP_F, GROUP_COUNT };
constexpr int BUTTONS_PER_GROUP = 8;
constexpr int SHOWN_GROUPS = 4;  // b..e have check boxes

// Writes prefix + value as "%03d" into out (at least size bytes); returns the
// text's length, or 0 when it does not fit.
int FormatArgument(char* out, size_t size, const char* prefix, int value);

// Writes "buttom_<letter>=<mask>" for a group.
int FormatGroupCommand(char* out, size_t size, ButtonGroup group, int mask);

// Reads at most maxChars of text as a hexadecimal integer: leading blanks,
// an optional sign and an optional 0x/0X prefix, then hex digits up to the
// first other character. NO_VALUE when no digit is found.
int ParseHexValue(const char* text, size_t maxChars);

// Reads a signed decimal integer (leading blanks, optional sign, digits up to
// the first other character). NO_VALUE when no digit is found.
int ParseDecimalValue(const char* text, size_t maxChars);

char GroupLetter(ButtonGroup group);
// The group of a button numbered 0..31; GROUP_COUNT outside that range.
ButtonGroup GroupOfButton(int button);
// Bit value of a button inside its group's mask (1..128).
int ButtonBit(int button);

// Direction switch positions. Up 8, right 1, down 4, left 2; up-left is 11.
struct DirectionCode {
    int code;
    const char* command;  // "buttom_a=<code as %03d>"
    const char* name;     // as profiles write it
};
constexpr int DIRECTION_COUNT = 9;
extern const DirectionCode directionCodes[DIRECTION_COUNT];  // centre first
// Index into directionCodes of a reply value, or -1 when it names no position.
int DirectionIndexOfCode(int code);

// What a pad holds, as read or as a profile wants it; NO_VALUE in a field
// that a read did not reach.
struct PadSettings {
    int buttons;                // 0..32
    int direction;              // index into directionCodes
    int masks[SHOWN_GROUPS];    // groups b..e, lowest bit the group's first button
};

// Commands and queries.
#define CMD_PROBE        "1_num?"
#define CMD_COUNT        "btn_num?"
#define CMD_DIRECTION    "a_num?"
#define CMD_INI_DISP     "Ini_Disp"
#define CMD_RELEASE_ALL  "btn_off"
#define CMD_REBOOT       "reboot"
#define CMD_COUNT_PREFIX "buttom_0="
#define CMD_COUNT_ZERO   "buttom_0=255"
#define CMD_CENTRE       "buttom_a=000"
extern const char* const groupQueries[SHOWN_GROUPS];  // "b_num?".."e_num?"

constexpr int PROBE_READY = 255;
constexpr int MASK_ALL = 255;

// The count command for a chosen button count: "buttom_0=255" for 0,
// "buttom_0=NNN" for 1..32. Returns 0 (nothing to send) for any other count.
int FormatCountCommand(char* out, size_t size, int count);

#endif
