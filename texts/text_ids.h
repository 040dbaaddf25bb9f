// Identifiers of the texts, shared by the resource script, the Windows code
// and the texts compiled in for other systems: plain #defines only.
#ifndef PADCONFIG_TEXT_IDS_H
#define PADCONFIG_TEXT_IDS_H

#define WIDE_(text)          L##text
#define WIDE(text)           WIDE_(text)

// String table identifiers.
#define TEXT_NOT_CONNECTED   100
#define TEXT_CONNECTED       101
#define TEXT_READ_FAILED     102
#define TEXT_RELEASED        103
#define TEXT_RELEASE_FAILED  104
#define TEXT_FINDING         105
#define TEXT_PAD_ON_PORT     106  // holds %d for the port's number
#define TEXT_PAD_INFO        110
#define TEXT_PAD_INFO_BUSY   111
#define TEXT_RESTART         112
#define TEXT_RESTARTING      113
#define TEXT_OPEN_FAILED     120
#define TEXT_OPEN_CAPTION    121
#define TEXT_PROBE_FAILED    122
#define TEXT_REBOOT_OK       123
#define TEXT_REBOOT_FAILED   124
#define TEXT_REBOOT_CAPTION  125
#define TEXT_NO_PAD          126
#define TEXT_FIND_CAPTION    127
#define TEXT_MAIN_TITLE      130
#define TEXT_TIP_IDLE        131
#define TEXT_TIP_BUSY        132
#define TEXT_ABOUT_APP       133
#define TEXT_ABOUT_EXTRA     134
// Profiles.
#define TEXT_PROFILE_FILES   140
#define TEXT_SAVE_FAILED     141  // holds %ls for the file
#define TEXT_READ_FILE_FAILED 142 // holds %ls for the file
#define TEXT_SAVE_CAPTION    143
#define TEXT_LOAD_CAPTION    144
#define TEXT_ASK_RESTART     145  // the file's count, the pad's
#define TEXT_ALL_ON_PAD      146
#define TEXT_PAD_DIFFERS     147
#define TEXT_COUNT_KEPT      148  // the pad's count
#define TEXT_FILE_DIALOG_FAILED 149  // the dialog's error code
#define TEXT_DIFFERENCE      150  // + DifferenceKind: count (pad's, file's), direction, button not set, button extra
#define TEXT_PROFILE_FAULT   160  // + ProfileFault, each with %d for the line
// The command line.
#define TEXT_USAGE           176
#define TEXT_PORT_UNUSABLE   177  // %ls: the port's name (the same for the next three)
#define TEXT_PORT_IN_USE     178
#define TEXT_NOT_A_PAD       179
#define TEXT_LINK_LOST       180
#define TEXT_LOG_FAILED      181  // %ls: the file
#define TEXT_NOT_RELEASED    182
#define TEXT_RESTART_HINT    183  // the file's count
#define TEXT_ARGUMENT_FAULT  184  // + ArgumentFault, each with %ls for the word at fault
#define TEXT_OUTPUT_FAILED   191
#define TEXT_START_FAILED    208  // %ls: the program; a bundle after the neutral one
#define TEXT_INTERRUPTED     211
// In every language at once: shown before a language is chosen. The loader
// takes strings in bundles of 16 identifiers, and a neutral bundle hides the
// same bundle of a language, so these have one to themselves.
#define TEXT_BAD_LANGUAGE    192
#define TEXT_APP_CAPTION 193
// The command line on Linux and macOS only.
#define TEXT_PORT_DENIED     209  // %ls: the device, then its group twice
#define TEXT_NO_MODE         210

#endif
