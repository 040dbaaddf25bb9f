// Every text the user sees, in one place. The resource script and the code
// both use these macros; the compilers turn them into code page 932.
#ifndef PADCONFIG_TEXTS_H
#define PADCONFIG_TEXTS_H

// Window, class and resource names.
#define TEXT_DIALOG_TITLE    "Ｈ８／３０５２Ｆ（３０４８Ｆ）ＵＳＢゲームパッド設定用"
#define TEXT_DIALOG_FONT     "ＭＳ Ｐゴシック"
#define TEXT_MAIN_CLASS      "Brisvel(USB)"
#define TEXT_MAIN_TITLE      "Ｂｒｉｓｖｅｌ表示（ＰＩＣＵＳＢ）"
#define RES_DIALOG           "MYDLG"
#define RES_MENU             "MYMENU"
#define RES_TRAY_MENU        "MYTRAY"
#define RES_ICON_MAIN        "MYICON_MAIN"
#define RES_ICON_SEND        "MYICON_SEND"
#define MSG_TASKBAR_CREATED  "TaskbarCreated"  // broadcast when Explorer starts

// Control captions.
#define TEXT_EXIT            "終了"
#define TEXT_RESTART         "USB再起動"
#define TEXT_RESTARTING      "USBリブート中"
#define TEXT_FRAME_SETTINGS  "ゲームパッド設定画面"
#define TEXT_SERIAL_CONNECT  "シリアル接続"
#define TEXT_FRAME_STATUS    "ＲＳ２３２Ｃ接続状態"
#define TEXT_FRAME_COUNT     "ボタン数"
#define TEXT_PRESS_ALL       "全ボタン押下"
#define TEXT_RELEASE_ALL     "全ボタン解除"
#define TEXT_PAD_INFO        "PAD情報取得"
#define TEXT_PAD_INFO_BUSY   "情報取得中"
#define TEXT_FRAME_PORT      "COMポート"
#define TEXT_FRAME_DIRECTION "方向"
#define TEXT_FRAME_BUTTONS   "ボタン"
#define TEXT_RADIO           "Radio2"

// Status label.
#define TEXT_NOT_CONNECTED   "未接続"
#define TEXT_CONNECTED       "接続"
#define TEXT_READ_FAILED     "情報取得失敗"
#define TEXT_RELEASED        "全ボタン解除"
#define TEXT_RELEASE_FAILED  "全ボタン解除失敗！！"
#define TEXT_FINDING         "検索中"
#define TEXT_PAD_ON_PORT     "パッド：COM%d"

// Message boxes.
#define TEXT_OPEN_FAILED     "オープン失敗！！"
#define TEXT_OPEN_CAPTION    "ＲＳ－２３２Ｃ"
#define TEXT_PROBE_FAILED    "USBが認識してから「PAD情報取得」ボタンを押してください"
#define TEXT_REBOOT_OK       "リブート成功"
#define TEXT_REBOOT_FAILED   "リブート失敗！！"
#define TEXT_REBOOT_CAPTION  "Velmorant"
#define TEXT_NO_PAD          "パッドが見つかりません。ケーブルとUSBの認識を確かめてください。"
#define TEXT_FIND_CAPTION    "パッドを探す"

// Menus.
#define TEXT_MENU            "メニュー"
#define TEXT_MENU_TASKBAR    "タスクバーに入れる(&T)"
#define TEXT_MENU_TRAY       "タスクトレイに入れる(&R)"
#define TEXT_MENU_FIND       "パッドを探す(&F)"
#define TEXT_MENU_VERSION    "バージョン情報(&A)"
#define TEXT_MENU_EXIT       "終了(&X)"
#define TEXT_MENU_DIALOG     "ダイアログ"
#define TEXT_MENU_SHOW       "設定ダイアログ表示(&D)"
#define TEXT_TRAY_MENU       "タスクトレイメニュー"
#define TEXT_MENU_FROM_TRAY  "タスクトレイから出す(&O)"

// Notification-area icon and version box.
#define TEXT_TIP_IDLE        "Brisvel点灯PIC USB"
#define TEXT_TIP_BUSY        "Brisvel点灯PIC USB 通信中"
#define TEXT_ABOUT_APP       "Ｂｒｉｓｖｅｌ表示装置"
#define TEXT_ABOUT_EXTRA     "\nＢｒｉｓｖｅｌ点灯\n（ＰＩＣ　ＵＳＢ用）\n"

#endif
