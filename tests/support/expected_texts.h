// The texts a user must read, written down here rather than taken from the
// tool: no system types, so the native tests read them too.
#ifndef PADCONFIG_EXPECTED_TEXTS_H
#define PADCONFIG_EXPECTED_TEXTS_H

// Every text a user reads, by key.
enum TextKey {
    NO_TEXT, NOT_LINKED, CONNECTED, READ_FAILED, RELEASED, RELEASE_FAILED, PAD_INFO, RESTART_USB, PROBE_BOX,
    OPEN_BOX, OPEN_CAPTION, REBOOT_OK, REBOOT_FAILED, REBOOT_CAPTION, TITLE, TIP_IDLE, TIP_BUSY, PAD_ON_COM33,
    NO_PAD, FIND_CAPTION, LOAD_CAPTION, SAVE_CAPTION, SAVE_FAILED, ASK_16, ALL_ON_PAD, ALL_ON_PAD_KEPT_12,
    PAD_DIFFERS_9_12, EMPTY_FILE, LARGE_FILE, NOT_UTF8_2, LONG_LINE_1, NO_SECTION_1, UNKNOWN_KEY_2, REPEATED_KEY_3,
    MISSING_KEY_1, NOT_A_NUMBER_2, BAD_COUNT_2, BAD_DIRECTION_2, BAD_BUTTON_2, ABOVE_COUNT_4, USAGE, NO_ANSWER_COM1,
    UNUSABLE_COM77, IN_USE_COM1, KEPT_12_HINT_16, LOG_FAILED, READ_FILE_FAILED, PAD_DIFFERS_DIRECTION, COUNT_DIFFERS_12_16,
    NOT_RELEASED, LINK_LOST_COM1, UNKNOWN_QUIET, OUTPUT_FAILED, FILE_DIALOG_FAILED, DENIED_COM1, NO_MODE,
    USAGE_NATIVE,  // USAGE is the Windows program's: it names COMn and the dialog
    BAD_LANGUAGE,  // on the one line a run prints
    BAD_PORT, BAD_DEVICE,  // after the word at fault and ": "
    MENU_ITEMS,  // both menus, every item: "popup [item | - | item]; ..."
    CAPTIONS,    // the dialog's captions at start-up, check boxes aside: "caption | caption | "
    INTERRUPTED,
    NO_PAD_NATIVE,  // NO_PAD on Linux, which names its own way to look for the pad
    TEXT_KEYS
};
// In Japanese, or in English for every other user.
const char* ExpectedText(TextKey key, bool english);

#endif
