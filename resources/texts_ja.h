// The Japanese face: every text a user reads, for resources/ui.rc.
#define JA_DIALOG_TITLE    "Ｈ８／３０５２Ｆ（３０４８Ｆ）ＵＳＢゲームパッド設定用"
#define JA_DIALOG_FONT     "ＭＳ Ｐゴシック"
#define JA_MAIN_TITLE      "Ｂｒｉｓｖｅｌ表示（ＰＩＣＵＳＢ）"

// Control captions.
#define JA_EXIT            "終了"
#define JA_RESTART         "USB再起動"
#define JA_RESTARTING      "USBリブート中"
#define JA_FRAME_SETTINGS  "ゲームパッド設定画面"
#define JA_SERIAL_CONNECT  "シリアル接続"
#define JA_FRAME_STATUS    "ＲＳ２３２Ｃ接続状態"
#define JA_FRAME_COUNT     "ボタン数"
#define JA_PRESS_ALL       "全ボタン押下"
#define JA_RELEASE_ALL     "全ボタン解除"
#define JA_PAD_INFO        "PAD情報取得"
#define JA_PAD_INFO_BUSY   "情報取得中"
#define JA_FRAME_PORT      "COMポート"
#define JA_FRAME_DIRECTION "方向"
#define JA_FRAME_BUTTONS   "ボタン"

// Status label.
#define JA_NOT_CONNECTED   "未接続"
#define JA_CONNECTED       "接続"
#define JA_READ_FAILED     "情報取得失敗"
#define JA_RELEASED        "全ボタン解除"
#define JA_RELEASE_FAILED  "全ボタン解除失敗！！"
#define JA_FINDING         "検索中"
#define JA_PAD_ON_PORT     "パッド：COM%d"

// Message boxes.
#define JA_OPEN_FAILED     "オープン失敗！！"
#define JA_OPEN_CAPTION    "ＲＳ－２３２Ｃ"
#define JA_PROBE_FAILED    "USBが認識してから「PAD情報取得」ボタンを押してください"
#define JA_REBOOT_OK       "リブート成功"
#define JA_REBOOT_FAILED   "リブート失敗！！"
#define JA_REBOOT_CAPTION  "Velmorant"
#define JA_NO_PAD          "パッドが見つかりません。ケーブルとUSBの認識を確かめてください。"
#define JA_FIND_CAPTION    "パッドを探す"

// Menus.
#define JA_MENU            "メニュー"
#define JA_MENU_TASKBAR    "タスクバーに入れる(&T)"
#define JA_MENU_TRAY       "タスクトレイに入れる(&R)"
#define JA_MENU_FIND       "パッドを探す(&F)"
#define JA_MENU_VERSION    "バージョン情報(&A)"
#define JA_MENU_EXIT       "終了(&X)"
#define JA_MENU_DIALOG     "ダイアログ"
#define JA_MENU_SHOW       "設定ダイアログ表示(&D)"
#define JA_TRAY_MENU       "タスクトレイメニュー"
#define JA_MENU_FROM_TRAY  "タスクトレイから出す(&O)"

// Notification-area icon and version box.
#define JA_TIP_IDLE        "Brisvel点灯PIC USB"
#define JA_TIP_BUSY        "Brisvel点灯PIC USB 通信中"
#define JA_ABOUT_APP       "Ｂｒｉｓｖｅｌ表示装置"
#define JA_ABOUT_EXTRA     "\nＢｒｉｓｖｅｌ点灯\n（ＰＩＣ　ＵＳＢ用）\n"
