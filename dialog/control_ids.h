// Control and command identifiers of the configuration dialog and its menus.
// Shared by the resource script and the code, so it holds only #defines.
#ifndef PADCONFIG_CONTROL_IDS_H
#define PADCONFIG_CONTROL_IDS_H

#define IDC_EXIT            1     // "終了", the default button
#define IDC_STATUS          1000  // status label
#define IDC_SERIAL_CONNECT  1002  // hidden, never used
#define IDC_PRESS_ALL       1003
#define IDC_RELEASE_ALL     1004
#define IDC_PAD_INFO        1005
#define IDC_PORT_LIST       1016
#define IDC_COUNT_LIST      1017
#define IDC_BUTTON_FIRST    1027  // check box of pad button 1
#define IDC_BUTTON_LAST     1058  // check box of pad button 32
#define IDC_DIR_CENTRE      1059
#define IDC_DIR_UP          1060
#define IDC_DIR_UP_RIGHT    1061
#define IDC_DIR_RIGHT       1062
#define IDC_DIR_DOWN_RIGHT  1063
#define IDC_DIR_DOWN        1064
#define IDC_DIR_DOWN_LEFT   1065
#define IDC_DIR_LEFT        1066
#define IDC_DIR_UP_LEFT     1067
#define IDC_FRAME_SETTINGS  1068
#define IDC_FRAME_STATUS    1069
#define IDC_FRAME_COUNT     1070
#define IDC_FRAME_PORT      1071
#define IDC_FRAME_DIRECTION 1072
#define IDC_FRAME_BUTTONS   1073
#define IDC_RESTART         1075

#define BUTTON_COUNT_MAX    32

// Menu commands.
#define IDM_EXIT            40001
#define IDM_SHOW_DIALOG     40002  // never offered; ignored
#define IDM_TO_TASKBAR      40003
#define IDM_TO_TRAY         40004
#define IDM_VERSION         40005
#define IDM_FROM_TRAY       40006
#define IDM_FIND_PAD        40007
#define IDM_SAVE_PROFILE    40008
#define IDM_LOAD_PROFILE    40009

// Tray icon callback message.
#define WM_TRAYNOTIFY       0x8001

#endif
