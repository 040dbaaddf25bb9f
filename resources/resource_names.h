// Names no user reads: the window class, the resources, the faces' fallback
// and the profiles' extension. The resource script and the code share this
// file, so it holds only #defines.
#ifndef PADCONFIG_RESOURCE_NAMES_H
#define PADCONFIG_RESOURCE_NAMES_H

// Class and resource names.
#define TEXT_MAIN_CLASS      L"Brisvel(USB)"
#define RES_DIALOG           "MYDLG"
#define RES_MENU             "MYMENU"
#define RES_TRAY_MENU        "MYTRAY"
#define RES_ICON_MAIN        "MYICON_MAIN"
#define RES_ICON_SEND        "MYICON_SEND"
#define MSG_TASKBAR_CREATED  "TaskbarCreated"  // broadcast when Explorer starts
#define TEXT_RADIO           "Radio2"  // radio buttons too narrow to show a caption

// The face used when none exists for the user's language (an ISO 639 name).
#define FALLBACK_FACE        "en"
#define PROFILE_EXTENSION    L"padprofile"

#endif
