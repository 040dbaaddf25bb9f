// The Japanese face: every text a user reads, and the sizes they need, for resources/ui.rc.
#define JA_DIALOG_TITLE    "Ｈ８／３０５２Ｆ（３０４８Ｆ）ＵＳＢゲームパッド設定用"
#define JA_DIALOG_FONT     "ＭＳ Ｐゴシック"
#define JA_BOX_WIDTH       17  // the button check boxes, in dialog units
#define JA_STATUS_X        24  // the status label, in dialog units: "全ボタン解除失敗！！" inside its frame
#define JA_STATUS_WIDTH    70
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
#define JA_MENU_SAVE       "設定を保存…"
#define JA_MENU_LOAD       "設定を読込…"
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

// Profiles: the file dialogs' file type, boxes, and the lines of the boxes.
#define JA_PROFILE_FILES   "パッド設定"
#define JA_SAVE_FAILED     "%ls に保存できません。"
#define JA_READ_FILE_FAILED "%ls を読めません。"
#define JA_SAVE_CAPTION    "設定を保存"
#define JA_LOAD_CAPTION    "設定を読込"
#define JA_ASK_RESTART     "ファイルのボタン数は %d、パッドは %d です。パッドをファイルのボタン数で再起動しますか？"
#define JA_ALL_ON_PAD      "ファイルの設定はすべてパッドに入りました。"
#define JA_PAD_DIFFERS     "パッドの設定がファイルと異なります："
#define JA_COUNT_KEPT      "ただしボタン数は %d のままです。"
#define JA_FILE_DIALOG_FAILED "ファイルを選べませんでした（エラー 0x%04X）。"
#define JA_COUNT_DIFFERS   "ボタン数：パッドは %d、ファイルは %d"
#define JA_DIRECTION_DIFFERS "方向がファイルと異なります"
#define JA_BUTTON_NOT_SET  "ボタン %d がパッドで設定されていません"
#define JA_BUTTON_EXTRA    "ボタン %d がパッドで設定されています（ファイルにはありません）"
#define JA_FAULT_EMPTY     "ファイルが空です。"
#define JA_FAULT_TOO_LARGE "ファイルが 64 KiB を超えています。"
#define JA_FAULT_NOT_UTF8  "%d 行目：UTF-8 ではないバイトがあります。"
#define JA_FAULT_LONG_LINE "%d 行目：1,000 文字を超えています。"
#define JA_FAULT_NO_SECTION "%d 行目：設定は一つの [pad] 行の後に書いてください。"
#define JA_FAULT_UNKNOWN_KEY "%d 行目：buttons=、direction=、set= のどれでもありません。"
#define JA_FAULT_REPEATED_KEY "%d 行目：このキーはもう書かれています。"
#define JA_FAULT_MISSING_KEY "%d 行目：[pad] には buttons、direction、set の三つが要ります。"
#define JA_FAULT_NOT_A_NUMBER "%d 行目：数ではありません。"
#define JA_FAULT_BAD_COUNT "%d 行目：ボタン数は 0～32 です。"
#define JA_FAULT_BAD_DIRECTION "%d 行目：方向は centre、up、up-right、right、down-right、down、down-left、left、up-left のどれかです。"
#define JA_FAULT_BAD_BUTTON "%d 行目：ボタン番号は 1～32 です。"
#define JA_FAULT_ABOVE_COUNT "%d 行目：ボタン数より大きいボタン番号があります。"

// コマンドライン：使い方と、失敗した実行が残す一行。
// 使い方の最後の行：どのシステムでも同じです。
#define JA_EXIT_CODES "終了コード: 0 成功、1 ポートを開けない・使用中、2 引数かファイルの誤り、3 パッドが応答しない、\n" \
  "4 パッドがファイルと異なる・ボタン数がそのまま、5 再起動の失敗、130 中断（Ctrl+C）。"
#define JA_USAGE "使い方: padconfig [--port COMn] [--log FILE] [--lang ja|en]\n" \
  "        padconfig [--port COMn] --read [--save FILE] [--log FILE]\n" \
  "        padconfig [--port COMn] --apply FILE [--restart-ok] [--log FILE]\n" \
  "        padconfig [--port COMn] --release-all [--log FILE]\n" \
  "        padconfig [--port COMn] --list [--log FILE]\n" \
  "        padconfig --help | --version\n\n" \
  "  --port COMn    パッドのポート（COM1～COM256）。省略時はパッドが応答する最初のポート\n" \
  "                 （ダイアログは COM1 で始まります）\n" \
  "  --read         パッドの設定をプロファイルとして表示\n" \
  "  --save FILE    パッドの設定をプロファイルとして FILE に保存\n" \
  "  --apply FILE   FILE の設定をパッドに送り、読み戻して確かめる\n" \
  "  --restart-ok   FILE のボタン数が異なるとき、--apply がパッドを再起動してよい\n" \
  "  --release-all  全ボタン解除\n" \
  "  --list         パッドが応答するポートをボタン数とともに一行ずつ表示（COM5 12）\n" \
  "  --log FILE     パッドとやり取りした全バイトを FILE に追記\n" \
  "  --lang ja|en   日本語か英語の表示\n"\
  "--read、--save、--apply、--release-all、--list のどれもなければ設定ダイアログを開きます。\n\n" \
  JA_EXIT_CODES
#define JA_PORT_UNUSABLE   "%ls を開けません。"
#define JA_PORT_IN_USE     "%ls は他のプログラムが使用中です。"
#define JA_NOT_A_PAD       "%ls でパッドが応答しません。"
#define JA_LINK_LOST       "通信中に %ls が失われました。"
#define JA_LOG_FAILED      "ログファイル %ls を開けません。"
#define JA_NOT_RELEASED    "パッドが全ボタン解除を受け付けませんでした。"
#define JA_RESTART_HINT    "--restart-ok を付けると、ファイルのボタン数 %d でパッドを再起動します。"
#define JA_UNKNOWN_OPTION  "%ls: 不明なオプションです（--help を参照）。"
#define JA_MISSING_VALUE   "%ls には値が必要です（--help を参照）。"
#define JA_BAD_PORT        "%ls: ポートは COM1～COM256 で指定してください。"
#define JA_MODES_CONFLICT  "%ls: --read/--save、--apply、--release-all、--list、--help、--version は一つだけ指定できます。"
#define JA_REPEATED_OPTION "%ls が二度指定されています。"
#define JA_RESTART_WITHOUT_APPLY "--restart-ok は --apply と一緒に指定してください。"
#define JA_OUTPUT_FAILED   "標準出力に書き込めません。"
#define JA_START_FAILED    "%ls を起動できません。"
#define JA_INTERRUPTED     "中断しました。"

// Linux と macOS のコマンドライン：ダイアログがなく、デバイスをパスで開きます。
#define JA_USAGE_NATIVE "使い方: padconfig [--port DEVICE] --read [--save FILE] [--log FILE] [--lang ja|en]\n" \
  "        padconfig [--port DEVICE] --apply FILE [--restart-ok] [--log FILE]\n" \
  "        padconfig [--port DEVICE] --release-all [--log FILE]\n" \
  "        padconfig [--port DEVICE] --list [--log FILE]\n" \
  "        padconfig --help | --version\n\n" \
  "  --port DEVICE  パッドのシリアルデバイス（/dev/ttyACM0、/dev/serial/by-id/… など）。\n" \
  "                 省略時はパッドが応答する最初のデバイス：/dev/ttyACM*、次に /dev/ttyUSB*\n" \
  "                 （macOS では /dev/cu.usbmodem*、次に /dev/cu.usbserial*）\n" \
  "  --read         パッドの設定をプロファイルとして表示\n" \
  "  --save FILE    パッドの設定をプロファイルとして FILE に保存\n" \
  "  --apply FILE   FILE の設定をパッドに送り、読み戻して確かめる\n" \
  "  --restart-ok   FILE のボタン数が異なるとき、--apply がパッドを再起動してよい\n" \
  "  --release-all  全ボタン解除\n" \
  "  --list         パッドが応答するデバイスをボタン数とともに一行ずつ表示\n" \
  "                 （/dev/ttyACM0 12）\n" \
  "  --log FILE     パッドとやり取りした全バイトを FILE に追記\n" \
  "  --lang ja|en   日本語か英語の表示（省略時は LC_ALL、LC_MESSAGES、LANG による）\n\n" \
  JA_EXIT_CODES
#define JA_BAD_DEVICE      "%ls: デバイスのパスが 255 バイトを超えています。"
#define JA_NO_MODE         "--read、--save、--apply、--release-all、--list のどれかを指定してください。"
#define JA_PORT_DENIED     "%ls を開く権限がありません：グループ '%ls' に参加して（sudo usermod -aG %ls $USER）、ログインし直してください。"
