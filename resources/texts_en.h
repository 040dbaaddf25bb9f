// The English face: every text a user reads, and the sizes they need, for resources/ui.rc.
#define EN_DIALOG_TITLE    "H8/3052F (3048F) USB game pad settings"
#define EN_DIALOG_FONT     "MS Shell Dlg"
#define EN_BOX_WIDTH       21  // the button check boxes, in dialog units
#define EN_STATUS_X        30  // the status label, in dialog units
#define EN_STATUS_WIDTH    62
#define EN_MAIN_TITLE      "Brisvel display (PIC USB)"

// Control captions.
#define EN_EXIT            "Exit"
#define EN_RESTART         "Restart USB"
#define EN_RESTARTING      "Restarting…"
#define EN_FRAME_SETTINGS  "Game pad settings"
#define EN_SERIAL_CONNECT  "Connect"
#define EN_FRAME_STATUS    "RS-232C link"
#define EN_FRAME_COUNT     "Button count"
#define EN_PRESS_ALL       "Press all"
#define EN_RELEASE_ALL     "Release all"
#define EN_PAD_INFO        "Read pad"
#define EN_PAD_INFO_BUSY   "Reading…"
#define EN_FRAME_PORT      "COM port"
#define EN_FRAME_DIRECTION "Direction"
#define EN_FRAME_BUTTONS   "Button states"

// Status label.
#define EN_NOT_CONNECTED   "Not connected"
#define EN_CONNECTED       "Connected"
#define EN_READ_FAILED     "Read failed"
#define EN_RELEASED        "All released"
#define EN_RELEASE_FAILED  "Release failed"
#define EN_FINDING         "Searching…"
#define EN_PAD_ON_PORT     "Pad on COM%d"

// Message boxes.
#define EN_OPEN_FAILED     "Cannot open the port."
#define EN_OPEN_CAPTION    "RS-232C"
#define EN_PROBE_FAILED    "Wait until Windows has found the USB pad, then press “Read pad” again."
#define EN_REBOOT_OK       "The pad has restarted."
#define EN_REBOOT_FAILED   "The restart failed: the pad did not report the new button count."
#define EN_REBOOT_CAPTION  "Restart USB"
// Each system's own way to check that it found the pad.
#define EN_NO_PAD          "No pad answers on any port. Check the cable, and that Windows has found the USB pad."
#define EN_NO_PAD_LINUX    "No pad answers on any device. Check the cable, and that Linux has found the USB pad (ls /dev/ttyACM*)."
#define EN_NO_PAD_MACOS    "No pad answers on any device. Check the cable, and that macOS has found the USB pad (ls /dev/cu.usbmodem*)."
#define EN_FIND_CAPTION    "Find the pad"

// Menus.
#define EN_MENU            "Menu"
#define EN_MENU_TASKBAR    "Minimize to &taskbar"
#define EN_MENU_TRAY       "Hide in &notification area"
#define EN_MENU_FIND       "&Find the pad"
#define EN_MENU_SAVE       "&Save settings…"
#define EN_MENU_LOAD       "&Load settings…"
#define EN_MENU_VERSION    "&About"
#define EN_MENU_EXIT       "E&xit"
#define EN_MENU_DIALOG     "Dialog"
#define EN_MENU_SHOW       "Show settings &dialog"
#define EN_TRAY_MENU       "Notification area"
#define EN_MENU_FROM_TRAY  "&Restore from notification area"

// Notification-area icon and version box.
#define EN_TIP_IDLE        "Brisvel lighting PIC USB"
#define EN_TIP_BUSY        "Brisvel lighting PIC USB, busy"
#define EN_ABOUT_APP       "Brisvel display"
#define EN_ABOUT_EXTRA     "\nBrisvel lighting\n(for PIC USB)\n"

// Profiles: the file dialogs' file type, boxes, and the lines of the boxes.
#define EN_PROFILE_FILES   "Pad settings"
#define EN_SAVE_FAILED     "Cannot save the settings to %ls."
#define EN_READ_FILE_FAILED "Cannot read %ls."
#define EN_SAVE_CAPTION    "Save settings"
#define EN_LOAD_CAPTION    "Load settings"
#define EN_ASK_RESTART     "The file's button count is %d, the pad's is %d. Restart the pad with the file's button count?"
#define EN_ALL_ON_PAD      "The file's settings are on the pad."
#define EN_PAD_DIFFERS     "The pad differs from the file:"
#define EN_COUNT_KEPT      "The button count, however, stays at %d."
#define EN_FILE_DIALOG_FAILED "The file could not be chosen (error 0x%04X)."
#define EN_COUNT_DIFFERS   "button count: %d on the pad, %d in the file"
#define EN_DIRECTION_DIFFERS "the direction is not the file's"
#define EN_BUTTON_NOT_SET  "button %d is not set on the pad"
#define EN_BUTTON_EXTRA    "button %d is set on the pad, not in the file"
#define EN_FAULT_EMPTY     "The file is empty."
#define EN_FAULT_TOO_LARGE "The file is larger than 64 KiB."
#define EN_FAULT_NOT_UTF8  "Line %d: the line holds bytes that are not UTF-8."
#define EN_FAULT_LONG_LINE "Line %d: the line is longer than 1,000 characters."
#define EN_FAULT_NO_SECTION "Line %d: the settings must follow a single [pad] line."
#define EN_FAULT_UNKNOWN_KEY "Line %d: the key is not buttons=, direction= or set=."
#define EN_FAULT_REPEATED_KEY "Line %d: this key was given before."
#define EN_FAULT_MISSING_KEY "Line %d: [pad] needs buttons, direction and set."
#define EN_FAULT_NOT_A_NUMBER "Line %d: a value is not a number."
#define EN_FAULT_BAD_COUNT "Line %d: the button count must be 0 to 32."
#define EN_FAULT_BAD_DIRECTION "Line %d: the direction must be center (or centre), up, up-right, right, down-right, down, down-left, left or up-left."
#define EN_FAULT_BAD_BUTTON "Line %d: button numbers must be 1 to 32."
#define EN_FAULT_ABOVE_COUNT "Line %d: a button number is above the button count."

// The command line: its usage, and the one line a failed run leaves.
// The usages' last lines, on every system.
#define EN_EXIT_CODES "Exit codes: 0 done; 1 the port cannot be opened or is in use; 2 bad arguments or file;\n" \
  "3 no pad answered; 4 the pad differs from the file, or kept its button count; 5 the restart failed;\n" \
  "130 interrupted (Ctrl+C)."
#define EN_USAGE "usage: padconfig [--port COMn] [--log FILE] [--lang ja|en]\n" \
  "       padconfig [--port COMn] --read [--save FILE] [--log FILE]\n" \
  "       padconfig [--port COMn] --apply FILE [--restart-ok] [--log FILE]\n" \
  "       padconfig [--port COMn] --release-all [--log FILE]\n" \
  "       padconfig [--port COMn] --list [--log FILE]\n" \
  "       padconfig --help | --version\n\n" \
  "  --port COMn    the pad's port, COM1 to COM256; without it, the first port where a pad\n" \
  "                 answers (the dialog starts on COM1)\n" \
  "  --read         print the pad's settings as a profile\n" \
  "  --save FILE    write the pad's settings to FILE as a profile\n" \
  "  --apply FILE   put FILE's settings on the pad and read them back\n" \
  "  --restart-ok   let --apply restart the pad when FILE has another button count\n" \
  "  --release-all  release all buttons\n" \
  "  --list         print each port where a pad answers, with its button count (COM5 12)\n" \
  "  --log FILE     append every byte sent to and received from the pad to FILE\n" \
  "  --lang ja|en   Japanese or English texts\n"\
  "Without --read, --save, --apply, --release-all or --list, the settings dialog opens.\n\n" \
  EN_EXIT_CODES
#define EN_PORT_UNUSABLE   "Cannot open %ls."
#define EN_PORT_IN_USE     "%ls is in use by another program."
#define EN_NOT_A_PAD       "No pad answers on %ls."
#define EN_LINK_LOST       "%ls went away during the exchange."
#define EN_LOG_FAILED      "Cannot open the log file %ls."
#define EN_NOT_RELEASED    "The pad did not acknowledge the release."
#define EN_RESTART_HINT    "--restart-ok restarts the pad with the file's button count, %d."
#define EN_UNKNOWN_OPTION  "%ls: unknown option (see --help)."
#define EN_MISSING_VALUE   "%ls needs a value (see --help)."
#define EN_BAD_PORT        "%ls: the port must be COM1 to COM256."
#define EN_MODES_CONFLICT  "%ls: give only one of --read/--save, --apply, --release-all, --list, --help and --version."
#define EN_REPEATED_OPTION "%ls is given twice."
#define EN_RESTART_WITHOUT_APPLY "--restart-ok goes with --apply only."
#define EN_OUTPUT_FAILED   "Cannot write to standard output."
#define EN_START_FAILED    "Cannot start %ls."
#define EN_INTERRUPTED     "Interrupted."

// The command line on Linux and macOS, which has no dialog and opens devices by path.
#define EN_USAGE_NATIVE "usage: padconfig [--port DEVICE] --read [--save FILE] [--log FILE] [--lang ja|en]\n" \
  "       padconfig [--port DEVICE] --apply FILE [--restart-ok] [--log FILE]\n" \
  "       padconfig [--port DEVICE] --release-all [--log FILE]\n" \
  "       padconfig [--port DEVICE] --list [--log FILE]\n" \
  "       padconfig --help | --version\n\n" \
  "  --port DEVICE  the pad's serial device, such as /dev/ttyACM0 or /dev/serial/by-id/...;\n" \
  "                 without it, the first device where a pad answers: /dev/ttyACM*, then\n" \
  "                 /dev/ttyUSB* (on macOS /dev/cu.usbmodem*, then /dev/cu.usbserial*)\n" \
  "  --read         print the pad's settings as a profile\n" \
  "  --save FILE    write the pad's settings to FILE as a profile\n" \
  "  --apply FILE   put FILE's settings on the pad and read them back\n" \
  "  --restart-ok   let --apply restart the pad when FILE has another button count\n" \
  "  --release-all  release all buttons\n" \
  "  --list         print each device where a pad answers, with its button count\n" \
  "                 (/dev/ttyACM0 12)\n" \
  "  --log FILE     append every byte sent to and received from the pad to FILE\n" \
  "  --lang ja|en   Japanese or English texts (else from LC_ALL, LC_MESSAGES or LANG)\n\n" \
  EN_EXIT_CODES
#define EN_BAD_DEVICE      "%ls: the device's path is longer than 255 bytes."
#define EN_NO_MODE         "Name what to do: --read, --save, --apply, --release-all or --list."
#define EN_PORT_DENIED     "You may not open %ls: join the group '%ls' (sudo usermod -aG %ls $USER), then log in again."
