#include "expected_texts.h"

// The usage's lines that the Windows program and the native one share.
#define JA_RUNS(port) "        padconfig [--port " port "] --apply FILE [--restart-ok] [--log FILE]\n" \
    "        padconfig [--port " port "] --release-all [--log FILE]\n        padconfig [--port " port "] --list [--log FILE]\n" \
    "        padconfig --help | --version\n\n"
#define EN_RUNS(port) "       padconfig [--port " port "] --apply FILE [--restart-ok] [--log FILE]\n" \
    "       padconfig [--port " port "] --release-all [--log FILE]\n       padconfig [--port " port "] --list [--log FILE]\n" \
    "       padconfig --help | --version\n\n"
#define JA_MODES "  --read         パッドの設定をプロファイルとして表示\n  --save FILE    パッドの設定をプロファイルとして FILE に保存\n" \
    "  --apply FILE   FILE の設定をパッドに送り、読み戻して確かめる\n" \
    "  --restart-ok   FILE のボタン数が異なるとき、--apply がパッドを再起動してよい\n  --release-all  全ボタン解除\n"
#define EN_MODES "  --read         print the pad's settings as a profile\n  --save FILE    write the pad's settings to FILE as a profile\n" \
    "  --apply FILE   put FILE's settings on the pad and read them back\n" \
    "  --restart-ok   let --apply restart the pad when FILE has another button count\n  --release-all  release all buttons\n"
#define JA_LOG "  --log FILE     パッドとやり取りした全バイトを FILE に追記\n"
#define EN_LOG "  --log FILE     append every byte sent to and received from the pad to FILE\n"
#define JA_EXITS "終了コード: 0 成功、1 ポートを開けない・使用中、2 引数かファイルの誤り、3 パッドが応答しない、\n" \
    "4 パッドがファイルと異なる・ボタン数がそのまま、5 再起動の失敗、130 中断（Ctrl+C）。"
#define EN_EXITS "Exit codes: 0 done; 1 the port cannot be opened or is in use; 2 bad arguments or file;\n" \
    "3 no pad answered; 4 the pad differs from the file, or kept its button count; 5 the restart failed;\n" \
    "130 interrupted (Ctrl+C)."

// Japanese exactly as the tool has always shown it; English for every other user.
static const char* const texts[TEXT_KEYS][2] = {
    {"", ""},
    {"未接続", "Not connected"},
    {"接続", "Connected"},
    {"情報取得失敗", "Read failed"},
    {"全ボタン解除", "All released"},
    {"全ボタン解除失敗！！", "Release failed"},
    {"PAD情報取得", "Read pad"},
    {"USB再起動", "Restart USB"},
    {"USBが認識してから「PAD情報取得」ボタンを押してください",
     "Wait until Windows has found the USB pad, then press “Read pad” again."},
    {"オープン失敗！！", "Cannot open the port."},
    {"ＲＳ－２３２Ｃ", "RS-232C"},
    {"リブート成功", "The pad has restarted."},
    {"リブート失敗！！", "The restart failed: the pad did not report the new button count."},
    {"Velmorant", "Restart USB"},
    {"Ｈ８／３０５２Ｆ（３０４８Ｆ）ＵＳＢゲームパッド設定用", "H8/3052F (3048F) USB game pad settings"},
    {"Brisvel点灯PIC USB", "Brisvel lighting PIC USB"},
    {"Brisvel点灯PIC USB 通信中", "Brisvel lighting PIC USB, busy"},
    {"パッド：COM33", "Pad on COM33"},
    {"パッドが見つかりません。ケーブルとUSBの認識を確かめてください。",
     "No pad answers on any port. Check the cable, and that Windows has found the USB pad."},
    {"パッドを探す", "Find the pad"},
    {"設定を読込", "Load settings"},
    {"設定を保存", "Save settings"},
    {"%s に保存できません。", "Cannot save the settings to %s."},
    {"ファイルのボタン数は 16、パッドは 12 です。パッドをファイルのボタン数で再起動しますか？",
     "The file's button count is 16, the pad's is 12. Restart the pad with the file's button count?"},
    {"ファイルの設定はすべてパッドに入りました。", "The file's settings are on the pad."},
    {"ファイルの設定はすべてパッドに入りました。\nただしボタン数は 12 のままです。",
     "The file's settings are on the pad.\nThe button count, however, stays at 12."},
    {"パッドの設定がファイルと異なります：\nボタン 9 がパッドで設定されていません\n"
     "ボタン 12 がパッドで設定されています（ファイルにはありません）",
     "The pad differs from the file:\nbutton 9 is not set on the pad\nbutton 12 is set on the pad, not in the file"},
    {"ファイルが空です。", "The file is empty."},
    {"ファイルが 64 KiB を超えています。", "The file is larger than 64 KiB."},
    {"2 行目：UTF-8 ではないバイトがあります。", "Line 2: the line holds bytes that are not UTF-8."},
    {"1 行目：1,000 文字を超えています。", "Line 1: the line is longer than 1,000 characters."},
    {"1 行目：設定は一つの [pad] 行の後に書いてください。", "Line 1: the settings must follow a single [pad] line."},
    {"2 行目：buttons=、direction=、set= のどれでもありません。", "Line 2: the key is not buttons=, direction= or set=."},
    {"3 行目：このキーはもう書かれています。", "Line 3: this key was given before."},
    {"1 行目：[pad] には buttons、direction、set の三つが要ります。", "Line 1: [pad] needs buttons, direction and set."},
    {"2 行目：数ではありません。", "Line 2: a value is not a number."},
    {"2 行目：ボタン数は 0～32 です。", "Line 2: the button count must be 0 to 32."},
    {"2 行目：方向は centre、up、up-right、right、down-right、down、down-left、left、up-left のどれかです。",
     "Line 2: the direction must be center (or centre), up, up-right, right, down-right, down, down-left, left or up-left."},
    {"2 行目：ボタン番号は 1～32 です。", "Line 2: button numbers must be 1 to 32."},
    {"4 行目：ボタン数より大きいボタン番号があります。", "Line 4: a button number is above the button count."},
    {"使い方: padconfig [--port COMn] [--log FILE] [--lang ja|en]\n        padconfig [--port COMn] --read [--save FILE] [--log FILE]\n"
     JA_RUNS("COMn") "  --port COMn    パッドのポート（COM1～COM256）。省略時はパッドが応答する最初のポート\n"
     "                 （ダイアログは COM1 で始まります）\n" JA_MODES
     "  --list         パッドが応答するポートをボタン数とともに一行ずつ表示（COM5 12）\n" JA_LOG "  --lang ja|en   日本語か英語の表示\n"
     "--read、--save、--apply、--release-all、--list のどれもなければ設定ダイアログを開きます。\n\n" JA_EXITS,
     "usage: padconfig [--port COMn] [--log FILE] [--lang ja|en]\n       padconfig [--port COMn] --read [--save FILE] [--log FILE]\n"
     EN_RUNS("COMn") "  --port COMn    the pad's port, COM1 to COM256; without it, the first port where a pad\n"
     "                 answers (the dialog starts on COM1)\n" EN_MODES
     "  --list         print each port where a pad answers, with its button count (COM5 12)\n" EN_LOG
     "  --lang ja|en   Japanese or English texts\nWithout --read, --save, --apply, --release-all or --list, the settings dialog opens.\n\n"
     EN_EXITS},
    {"COM1 でパッドが応答しません。", "No pad answers on COM1."},
    {"COM77 を開けません。", "Cannot open COM77."},
    {"COM1 は他のプログラムが使用中です。", "COM1 is in use by another program."},
    {"ファイルの設定はすべてパッドに入りました。\nただしボタン数は 12 のままです。\n"
     "--restart-ok を付けると、ファイルのボタン数 16 でパッドを再起動します。",
     "The file's settings are on the pad.\nThe button count, however, stays at 12.\n"
     "--restart-ok restarts the pad with the file's button count, 16."},
    {"ログファイル %s を開けません。", "Cannot open the log file %s."},
    {"%s を読めません。", "Cannot read %s."},
    {"パッドの設定がファイルと異なります：\n方向がファイルと異なります", "The pad differs from the file:\nthe direction is not the file's"},
    {"パッドの設定がファイルと異なります：\nボタン数：パッドは 12、ファイルは 16",
     "The pad differs from the file:\nbutton count: 12 on the pad, 16 in the file"},
    {"パッドが全ボタン解除を受け付けませんでした。", "The pad did not acknowledge the release."},
    {"通信中に COM1 が失われました。", "COM1 went away during the exchange."},
    {"--quiet: 不明なオプションです（--help を参照）。", "--quiet: unknown option (see --help)."},
    {"標準出力に書き込めません。", "Cannot write to standard output."},
    {"ファイルを選べませんでした（エラー 0x3003）。", "The file could not be chosen (error 0x3003)."},
    {"COM1 を開く権限がありません：グループ 'tty' に参加して（sudo usermod -aG tty $USER）、ログインし直してください。",
     "You may not open COM1: join the group 'tty' (sudo usermod -aG tty $USER), then log in again."},
    {"--read、--save、--apply、--release-all、--list のどれかを指定してください。",
     "Name what to do: --read, --save, --apply, --release-all or --list."},
    {"使い方: padconfig [--port DEVICE] --read [--save FILE] [--log FILE] [--lang ja|en]\n" JA_RUNS("DEVICE")
     "  --port DEVICE  パッドのシリアルデバイス（/dev/ttyACM0、/dev/serial/by-id/… など）。\n"
     "                 省略時はパッドが応答する最初のデバイス：/dev/ttyACM*、次に /dev/ttyUSB*\n"
     "                 （macOS では /dev/cu.usbmodem*、次に /dev/cu.usbserial*）\n" JA_MODES
     "  --list         パッドが応答するデバイスをボタン数とともに一行ずつ表示\n                 （/dev/ttyACM0 12）\n" JA_LOG
     "  --lang ja|en   日本語か英語の表示（省略時は LC_ALL、LC_MESSAGES、LANG による）\n\n" JA_EXITS,
     "usage: padconfig [--port DEVICE] --read [--save FILE] [--log FILE] [--lang ja|en]\n" EN_RUNS("DEVICE")
     "  --port DEVICE  the pad's serial device, such as /dev/ttyACM0 or /dev/serial/by-id/...;\n"
     "                 without it, the first device where a pad answers: /dev/ttyACM*, then\n"
     "                 /dev/ttyUSB* (on macOS /dev/cu.usbmodem*, then /dev/cu.usbserial*)\n" EN_MODES
     "  --list         print each device where a pad answers, with its button count\n                 (/dev/ttyACM0 12)\n" EN_LOG
     "  --lang ja|en   Japanese or English texts (else from LC_ALL, LC_MESSAGES or LANG)\n\n" EN_EXITS},
    {"--lang takes ja (Japanese) or en (English). --lang には ja（日本語）か en（英語）を指定してください。",
     "--lang takes ja (Japanese) or en (English). --lang には ja（日本語）か en（英語）を指定してください。"},
    {"ポートは COM1～COM256 で指定してください。", "the port must be COM1 to COM256."},
    {"デバイスのパスが 255 バイトを超えています。", "the device's path is longer than 255 bytes."},
    {"メニュー [タスクバーに入れる(&T) | タスクトレイに入れる(&R) | - | パッドを探す(&F) | - | 設定を保存… | "
     "設定を読込… | - | バージョン情報(&A) | - | 終了(&X)] | ダイアログ [設定ダイアログ表示(&D)]; "
     "タスクトレイメニュー [タスクトレイから出す(&O) | - | バージョン情報(&A) | - | 終了(&X)]",
     "Menu [Minimize to &taskbar | Hide in &notification area | - | &Find the pad | - | &Save settings… | "
     "&Load settings… | - | &About | - | E&xit] | Dialog [Show settings &dialog]; "
     "Notification area [&Restore from notification area | - | &About | - | E&xit]"},
    {"終了 | USB再起動 | ゲームパッド設定画面 | ＲＳ２３２Ｃ接続状態 | 未接続 | ボタン数 | 全ボタン押下 | 全ボタン解除 | "
     "PAD情報取得 | COMポート | 方向 | ボタン | ",
     "Exit | Restart USB | Game pad settings | RS-232C link | Not connected | Button count | Press all | Release all | "
     "Read pad | COM port | Direction | Button states | "},
    {"中断しました。", "Interrupted."},
    {"パッドが見つかりません。ケーブルとUSBの認識を確かめてください。",
     "No pad answers on any device. Check the cable, and that Linux has found the USB pad (ls /dev/ttyACM*)."},
};

const char* ExpectedText(TextKey key, bool english) { return texts[key][english]; }
