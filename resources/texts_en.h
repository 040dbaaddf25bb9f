// The English face: every text a user reads, for resources/ui.rc.
#define EN_DIALOG_TITLE    "H8/3052F (3048F) USB game pad settings"
#define EN_DIALOG_FONT     "MS Shell Dlg"
#define EN_MAIN_TITLE      "Brisvel display (PIC USB)"

// Control captions.
#define EN_EXIT            "Exit"
#define EN_RESTART         "Restart USB"
#define EN_RESTARTING      "Restarting..."
#define EN_FRAME_SETTINGS  "Game pad settings"
#define EN_SERIAL_CONNECT  "Connect"
#define EN_FRAME_STATUS    "RS-232C link"
#define EN_FRAME_COUNT     "Buttons"
#define EN_PRESS_ALL       "Press all"
#define EN_RELEASE_ALL     "Release all"
#define EN_PAD_INFO        "Read pad"
#define EN_PAD_INFO_BUSY   "Reading..."
#define EN_FRAME_PORT      "COM port"
#define EN_FRAME_DIRECTION "Direction"
#define EN_FRAME_BUTTONS   "Button states"

// Status label.
#define EN_NOT_CONNECTED   "Not connected"
#define EN_CONNECTED       "Connected"
#define EN_READ_FAILED     "Read failed"
#define EN_RELEASED        "All released"
#define EN_RELEASE_FAILED  "Release failed"
#define EN_FINDING         "Searching..."
#define EN_PAD_ON_PORT     "Pad on COM%d"

// Message boxes.
#define EN_OPEN_FAILED     "Cannot open the port."
#define EN_OPEN_CAPTION    "RS-232C"
#define EN_PROBE_FAILED    "Wait until Windows has found the USB pad, then press “Read pad” again."
#define EN_REBOOT_OK       "The pad has restarted."
#define EN_REBOOT_FAILED   "The pad did not restart."
#define EN_REBOOT_CAPTION  "Velmorant"
#define EN_NO_PAD          "No pad answers on any port. Check the cable, and that Windows has found the USB pad."
#define EN_FIND_CAPTION    "Find the pad"

// Menus.
#define EN_MENU            "Menu"
#define EN_MENU_TASKBAR    "Minimize to &taskbar"
#define EN_MENU_TRAY       "Hide in notification a&rea"
#define EN_MENU_FIND       "&Find the pad"
#define EN_MENU_VERSION    "&About"
#define EN_MENU_EXIT       "E&xit"
#define EN_MENU_DIALOG     "Dialog"
#define EN_MENU_SHOW       "Show settings &dialog"
#define EN_TRAY_MENU       "Notification area"
#define EN_MENU_FROM_TRAY  "&Open settings"

// Notification-area icon and version box.
#define EN_TIP_IDLE        "Brisvel lamp PIC USB"
#define EN_TIP_BUSY        "Brisvel lamp PIC USB, busy"
#define EN_ABOUT_APP       "Brisvel display"
#define EN_ABOUT_EXTRA     "\nBrisvel lamp\n(for PIC USB)\n"
