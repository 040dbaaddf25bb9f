// Everything the tool does with the pad, as rows of one table: how the stand-in
// behaves, what holds before, one action, then exactly the bytes the tool sent,
// the status label, the message box, the editing controls and what the dialog
// shows; optionally, that a healthy pad is read afterwards.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>
#include <dbt.h>
#include <setupapi.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "api_hook.h"
#include "command_check.h"
#include "config_dialog.h"
#include "dialog_actions.h"
#include "dialog_harness.h"
#include "message_boxes.h"
#include "pad_harness.h"
#include "serial_link.h"
#include "shipped_program.h"
#include "../../resources/resource_names.h"
#include "../../texts/windows/window_texts.h"
#include "transcript.h"
#include "transcript_text.h"
#include "version.h"
#include "../../link/windows/port_handle.h"
#include "wire_text.h"
#include "../../profile/profile.h"
#include "../../dialog/instance.h"
#include "../../dialog/main_window.h"
#include "../../shell/language.h"

extern "C" void* __imp_CloseHandle;
extern "C" void* __imp_GetCommState;
extern "C" void* __imp_SetCommState;
extern "C" void* __imp_SetCommTimeouts;
extern "C" void* __imp_GetCommTimeouts;
extern "C" void* __imp_GetOpenFileNameW;
extern "C" void* __imp_GetSaveFileNameW;
extern "C" void* __imp_CommDlgExtendedError;
extern "C" void* __imp_ReadFile;
extern "C" void* __imp_WriteFile;
extern "C" void* __imp_GetTempFileNameW;

namespace {

enum Pre {
    FRESH,         // nothing has happened yet
    TYPED_PORT,    // Row::typed is in the port list's field, no row selected
    CHOSEN_PORT,   // the port list's row named Row::typed is selected
    RELAY_DOWN,    // the tool's COM1 is gone
    HOSTILE,       // the port's driver hands over every line flag set the wrong way
    REFUSED,       // the port (or the file dialog) refuses the call named by Row::typed
    ZERO_XON_XOFF, // the driver hands XON and XOFF as 0, and limits past its queue
    COM12_SERIAL,  // COM12 is mapped as an ordinary serial port, not a Bluetooth link
    COM12_BTHENUM, // COM12 is mapped so too, but its device is one Bluetooth's enumerator made
    FOLDER_IN_WAY, // a folder has the profile file's name (OPEN too, for the dialog: it saves only a read)
    // From OPEN on, a healthy read opens the link before the action.
    OPEN,          // a healthy read has opened the link
    TYPED_COUNT,   // OPEN, then Row::typed in the count list's field
    STALE_ACK,     // OPEN, then the port list closed the link: "OK" is left in the buffer
    SWAPPED,       // OPEN, then another pad (Row::state) answers on the same port
    PULLED,        // OPEN, then the cable is pulled: the relay of COM1 ends
    PROBED,        // OPEN, and another thread asks the dialog every 500 ms whether it lives
    FILE_THERE,    // OPEN, and the profile file holds an older profile
    REMOVED,       // OPEN, then the port's Row::typed call fails with Row::arg while ClearCommError answers
    CANCELLED,     // OPEN, and the user cancels the file dialog
    LONG_FOLDER    // OPEN, and the file named is in real folders nested past 300 characters
};
// LOAD: Row::typed is the file, held open by an editor meanwhile; SAVE_LOAD: saved (Row::typed is the file
// written), then loaded onto a pad of the same count and other settings.
// COMMAND: the shipped program runs with Row::args, where FILE is a file
// holding Row::typed and LOG its transcript.
// DEVICE_EVENT: Windows tells the dialog Row::arg of the open port's device (of
// another device with Row::typed "another");
// REFOCUS: the focus comes back to the radio of position Row::arg.
// KEY_DOWN: the focus on check box Row::arg, Down as the dialog's modal loop hands it over.
enum Act { READ, BOX, RADIO, PRESS_ALL, RELEASE_ALL, RESTART, PORT_TOUCH, MAIN_CLOSE, FIND, SAVE, LOAD,
           LOAD_DECLINING, SAVE_LOAD, COMMAND, DEVICE_EVENT, REFOCUS, KEY_DOWN };
enum Edit { ANY, ON, OFF };

const char* const TWELVE = "n12 e12 r1063 10100000 00110000 10000000 00000001";

struct Row {
    const char* name;
    PadState state = Twelve();
    void (*pad)(PadSimConfig&) = nullptr;  // misbehaviour, from the action on
    Pre pre = FRESH;
    const char* typed = "";
    int pair = 1;  // the stand-in answers on COM(20+pair), the tool's COMpair
    Act act = READ;
    int arg = 0;   // BOX: button 1..32; RADIO: position 0..8 (centre, up, ... up-left)
    const char* wire = "";
    TextKey status = NO_TEXT;  // NO_TEXT: not checked
    TextKey box = NO_TEXT;     // the one box's text (its caption and icon: BoxLook); NO_TEXT: no box
    Edit edit = ANY;
    const char* screen = nullptr;  // ScreenOf(); nullptr: not checked
    int closes = -1;               // CloseHandle calls during the action; -1: not checked
    const char* then = nullptr;    // a following read against a healthy pad sends exactly this
    TextKey asked = NO_TEXT;       // a Yes/No box before the one box (Yes: the restart's box too)
    const char* args = "";         // COMMAND: the arguments
    int exit = 0;                  // COMMAND: the exit code
    TextKey said = NO_TEXT;        // COMMAND: its lines, all on the one line the run wrote
    const char* printed = nullptr; // COMMAND: exactly what the run wrote (FILE, SAID, USAGE, VERSION filled in)
    bool neighbours = false;       // silent devices on COM2 and COM12 (they must see the handshake only), the
                                   // ports of no other pair there
    int held = 0;                  // COMn held by another run of the tool (its claim of the port)
    const char* pullAt = nullptr;  // once the stand-in has seen this, the cable is pulled (or with
                                   // Row::typed, that call fails with Row::arg from then on)
    const char* noted = nullptr;   // the transcript's notes during the action, "; " between them
    ShellLaunch launch = NO_SHELL; // COMMAND: how a shell hands over its streams
    TextKey onScreen = NO_TEXT;    // COMMAND: a line on the console
    int secondPair = 0;            // with neighbours: a second pad, of 8 buttons, here
    const char* interruptAt = nullptr;  // COMMAND: Ctrl+C on the console once the stand-in has seen this
};

#define PRESSED "buttom_b=255\rbuttom_c=255\rbuttom_d=255\rbuttom_e=255\rbuttom_f=255\r"
#define BAD_FILE(file, text) {.name = "load_" #text, .typed = file, .act = LOAD, .box = text}

template <int lines> void SilentAfter(PadSimConfig& c) {
    c.misbehaviour = BEHAVE_SILENT_AFTER;
    c.silentAfter = lines;  // lone carriage returns count
}
const std::string overlongCom2 = "COM2" + std::string(70, ' ') + "x";  // cut at 63, it would read "COM2"
const std::string longText(300, '7');
const std::string largeFile(64 * 1024 + 1, ';'), longLine = "; " + std::string(999, 'x');
#define RADIO_SENDS(position, at, code) \
    {.name = "radio_" position, .pre = OPEN, .act = RADIO, .arg = at, .wire = "buttom_a=" code "\r", .status = CONNECTED}
#define DEVICE_GONE(error) \
    {.name = "read_fails_" #error, .pre = REMOVED, .typed = "ReadFile", .arg = error, .wire = CR, .status = NOT_LINKED, .edit = OFF, .closes = 1, .then = HS RD}, \
    {.name = "write_fails_" #error, .pre = REMOVED, .typed = "WriteFile", .arg = error, .status = NOT_LINKED, .edit = OFF, .closes = 1, .then = HS RD}

const Row rows[] = {
    // The read, and what it shows.
    {.name = "read_on_a_fresh_link", .wire = HS RD, .status = CONNECTED, .edit = ON, .screen = TWELVE},
    {.name = "read_on_an_open_link_sends_no_handshake", .pre = OPEN, .wire = RD, .status = CONNECTED, .edit = ON,
     .screen = TWELVE},
    {.name = "read_no_buttons", .state = MakePadState(0, 0, 0, 0, 0, 0), .wire = HS RD, .edit = ON,
     .screen = "n0 e0 r1059 00000000 00000000 00000000 00000000"},
    {.name = "read_32_buttons_all_set_up_left", .state = MakePadState(32, 11, 255, 255, 255, 255), .wire = HS RD,
     .edit = ON, .screen = "n32 e32 r1067 11111111 11111111 11111111 11111111"},
    {.name = "read_count_33_selects_no_row", .state = MakePadState(33, 8, 0, 0, 0, 0), .wire = HS RD,
     .screen = "n-1 e32 r1060 00000000 00000000 00000000 00000000"},
    {.name = "read_negative_count_selects_no_row", .pad = [](PadSimConfig& c) { c.valueReplies["btn_num?"] = "-002\r\n"; },
     .wire = HS RD, .screen = "n-1 e0 r1063 10100000 00110000 10000000 00000001"},
    {.name = "read_unknown_direction_is_centre_and_sent", .state = MakePadState(8, 3, 0x81, 0, 0, 0),
     .wire = HS CR "1_num?\rbtn_num?\r\ra_num?\rbuttom_a=000\rb_num?\rc_num?\rd_num?\re_num?\rIni_Disp\r",
     .status = CONNECTED, .screen = "n8 e8 r1059 10000001 00000000 00000000 00000000"},
    {.name = "read_other_pad_on_the_same_port", .state = MakePadState(8, 0, 0x81, 0, 0, 0), .pre = SWAPPED,
     .wire = RD, .screen = "n8 e8 r1059 10000001 00000000 00000000 00000000"},
    // Bytes apart are gathered into one reply: spaced well inside the reads' time-outs.
    {.name = "read_bytes_20ms_apart", .pad = [](PadSimConfig& c) { c.byteGapMs = 20; }, .wire = HS RD,
     .status = CONNECTED, .screen = TWELVE},
    {.name = "read_probe_not_255", .pad = [](PadSimConfig& c) { c.valueReplies["1_num?"] = "00FE\r\n"; },
     .wire = HS CR "1_num?" CR, .status = READ_FAILED, .box = PROBE_BOX, .edit = OFF, .then = RD},
    // An unanswered count must not parse what the buffer held ("btn_" as 11).
    {.name = "read_count_unanswered", .pad = SilentAfter<4>, .wire = HS CR "1_num?\rbtn_num?\r", .status = READ_FAILED,
     .box = PROBE_BOX, .edit = OFF},
    {.name = "read_direction_lost_sends_no_centre", .pad = SilentAfter<6>, .wire = HS CR "1_num?\rbtn_num?\r\ra_num?\r",
     .status = READ_FAILED, .box = PROBE_BOX, .edit = OFF},
    {.name = "read_group_c_lost", .pad = SilentAfter<8>, .wire = HS CR "1_num?\rbtn_num?\r\ra_num?\rb_num?\rc_num?\r",
     .status = READ_FAILED, .box = PROBE_BOX, .edit = OFF,
     .screen = "n12 e0 r1063 10100000 00000000 00000000 00000000"},  // what was read, nothing after
    // A drain that read only 64 bytes would leave the flood for the next read.
    {.name = "read_flood_then_a_healthy_pad", .pad = [](PadSimConfig& c) { c.misbehaviour = BEHAVE_FLOOD; },
     .pre = OPEN, .wire = CR "1_num?\r", .status = READ_FAILED, .box = PROBE_BOX, .edit = OFF, .then = RD},
    {.name = "read_pad_hangs_up", .pad = [](PadSimConfig& c) { c.hangUpAfter = 4; }, .wire = HS CR "1_num?\r",
     .status = READ_FAILED, .box = PROBE_BOX, .then = RD},
    {.name = "read_garbage", .pad = [](PadSimConfig& c) { c.misbehaviour = BEHAVE_GARBAGE; }, .wire = HS,
     .status = NOT_LINKED, .edit = OFF, .then = HS RD},

    // Edits, press and release all on an open link.
    {.name = "box_9_sets_its_bit_in_group_c", .pre = OPEN, .act = BOX, .arg = 9, .wire = "buttom_c=013\r",
     .status = CONNECTED, .screen = "n12 e12 r1063 10100000 10110000 10000000 00000001"},
    {.name = "box_32_clears_group_e", .state = MakePadState(32, 0, 0, 0, 0, 0x80), .pre = OPEN, .act = BOX,
     .arg = 32, .wire = "buttom_e=000\r", .status = CONNECTED},
    {.name = "box_on_a_silent_pad_after_the_link_closed", .pad = Silent, .pre = STALE_ACK, .act = BOX, .arg = 1,
     .wire = HS, .status = NOT_LINKED, .closes = 1},
    RADIO_SENDS("centre", 0, "000"), RADIO_SENDS("up", 1, "008"), RADIO_SENDS("up_right", 2, "009"),
    RADIO_SENDS("right", 3, "001"), RADIO_SENDS("down", 5, "004"), RADIO_SENDS("down_left", 6, "006"),
    RADIO_SENDS("left", 7, "002"), RADIO_SENDS("up_left", 8, "011"),
    {.name = "radio_chosen_again_is_sent_again", .pre = OPEN, .act = RADIO, .arg = 4, .wire = "buttom_a=005\r"},
    {.name = "press_all", .pre = OPEN, .act = PRESS_ALL, .wire = PRESSED, .status = CONNECTED, .edit = ON,
     .screen = "n12 e12 r1059 11111111 11111111 11111111 11111111"},
    {.name = "release_all_acknowledged", .pre = OPEN, .act = RELEASE_ALL, .wire = "btn_off\r",
     .status = RELEASED, .screen = "n12 e12 r1059 00000000 00000000 00000000 00000000"},
    {.name = "release_all_refused", .pad = Nak, .pre = OPEN, .act = RELEASE_ALL, .wire = "btn_off\r",
     .status = RELEASE_FAILED},
    // The read's "OK" is still in the buffer: only this command's answer counts.
    {.name = "release_all_unanswered", .pad = Silent, .pre = OPEN, .act = RELEASE_ALL, .wire = "btn_off\r",
     .status = RELEASE_FAILED},

    // The restart.
    {.name = "restart_prompt_reply", .pre = OPEN, .act = RESTART, .wire = RESTARTED("012"), .status = RELEASED,
     .box = REBOOT_OK, .edit = ON},
    {.name = "restart_to_no_buttons", .pre = TYPED_COUNT, .typed = "0", .act = RESTART, .wire = RESTARTED("255"),
     .box = REBOOT_OK, .screen = "n0 e0 r1059 00000000 00000000 00000000 00000000"},
    {.name = "restart_typed_123_is_12", .pre = TYPED_COUNT, .typed = "123", .act = RESTART, .wire = RESTARTED("012"),
     .box = REBOOT_OK},
    {.name = "restart_typed_40_sends_no_count", .pre = TYPED_COUNT, .typed = "40", .act = RESTART, .wire = CR,
     .box = REBOOT_FAILED},
    // A field with no digit is no count, not 0.
    {.name = "restart_typed_ab_sends_no_count", .pre = TYPED_COUNT, .typed = "ab", .act = RESTART, .wire = CR,
     .box = REBOOT_FAILED},
    {.name = "restart_count_refused", .pad = Nak, .pre = OPEN, .act = RESTART, .wire = CR "buttom_0=012\r"},
    {.name = "restart_wrong_count_reported", .pad = [](PadSimConfig& c) { c.rebootReply = "0008\r\n"; },
     .pre = OPEN, .act = RESTART, .wire = CR "buttom_0=012\rreboot\r", .box = REBOOT_FAILED, .then = RD},
    // To no buttons: silence must not pass for a reported 0.
    {.name = "restart_never_answered", .pad = [](PadSimConfig& c) { c.rebootDelayMs = -1; }, .pre = TYPED_COUNT,
     .typed = "0", .act = RESTART, .wire = CR "buttom_0=255\rreboot\r", .box = REBOOT_FAILED, .then = RD},

    // Opening and the handshake: 'O' first or 'K' second passes.
    {.name = "handshake_o_first", .pad = [](PadSimConfig& c) { c.handshakeReply = "Ox\r\n"; }, .wire = HS RD,
     .status = CONNECTED},
    {.name = "handshake_k_second", .pad = [](PadSimConfig& c) { c.handshakeReply = "xK\r\n"; }, .wire = HS RD,
     .status = CONNECTED},
    {.name = "handshake_ko_fails", .pad = [](PadSimConfig& c) { c.handshakeReply = "KO\r\n"; }, .wire = HS,
     .status = NOT_LINKED, .edit = OFF, .closes = 1},
    {.name = "handshake_only_the_first_answered", .pad = SilentAfter<1>, .wire = HS CR "1_num?\r",
     .status = READ_FAILED, .box = PROBE_BOX},
    {.name = "handshake_silent_pad_stale_ok", .pad = Silent, .pre = STALE_ACK, .wire = HS, .status = NOT_LINKED,
     .edit = OFF, .closes = 1, .then = HS RD},
    {.name = "typed_com10_tab_mixed_case", .pre = TYPED_PORT, .typed = "\tCoM10 ", .pair = 10, .wire = HS RD,
     .status = CONNECTED},
    {.name = "typed_com12", .pre = TYPED_PORT, .typed = "com12 ", .pair = 11, .wire = HS RD, .status = CONNECTED},
    {.name = "chosen_com33", .pre = CHOSEN_PORT, .typed = "COM33", .pair = 12, .wire = HS RD, .screen = TWELVE},
    {.name = "typed_300_characters", .pre = TYPED_PORT, .typed = longText.c_str(), .box = OPEN_BOX},
    {.name = "typed_overlong_com2", .pre = TYPED_PORT, .typed = overlongCom2.c_str(), .pair = 2, .status = NOT_LINKED,
     .box = OPEN_BOX},
    {.name = "port_gone_is_an_open_failure", .pre = RELAY_DOWN, .status = NOT_LINKED, .box = OPEN_BOX, .edit = OFF,
     .then = HS RD, .noted = "COM1 cannot be opened"},
    // Another run of the tool holds the port: refused as one that cannot be opened.
    {.name = "port_held_by_another_dialog", .status = NOT_LINKED, .box = OPEN_BOX, .edit = OFF, .held = 1,
     .noted = "COM1 in use"},
    {.name = "port_list_touch_closes_the_link", .pre = OPEN, .act = PORT_TOUCH, .status = NOT_LINKED,
     .closes = 1, .then = HS RD},
    {.name = "main_window_close_with_the_link_open", .pre = OPEN, .act = MAIN_CLOSE, .closes = 1, .then = HS RD},
    {.name = "main_window_close_with_no_link", .act = MAIN_CLOSE, .closes = 0, .then = HS RD},

    // Whatever another program left on the port, the line ends as the pad needs it.
    {.name = "hostile_line_flags_overwritten", .pre = HOSTILE, .wire = HS RD, .status = CONNECTED},
    {.name = "line_settings_refused", .pre = REFUSED, .typed = "SetCommState", .status = NOT_LINKED, .box = OPEN_BOX,
     .edit = OFF},
    {.name = "time_outs_refused", .pre = REFUSED, .typed = "SetCommTimeouts", .box = OPEN_BOX,
     .noted = "COM1 cannot be opened"},
    {.name = "line_state_unreadable", .pre = REFUSED, .typed = "GetCommState", .box = OPEN_BOX,
     .noted = "COM1 cannot be opened"},
    // A pulled cable ends the link; plugged in again, the next read opens it afresh.
    {.name = "cable_pulled_then_box_click", .pre = PULLED, .act = BOX, .arg = 2, .status = NOT_LINKED,
     .then = HS RD, .noted = "port closed"},
    {.name = "cable_pulled_then_read", .pre = PULLED, .status = NOT_LINKED, .edit = OFF, .then = HS RD,
     .noted = "port closed"},
    {.name = "cable_pulled_then_release_all", .pre = PULLED, .act = RELEASE_ALL, .status = NOT_LINKED, .then = HS RD,
     .noted = "port closed"},
    // Pulled while the drain after the count waits out its read: the next command's write fails.
    {.name = "cable_pulled_during_a_read", .wire = HS CR "1_num?\rbtn_num?\r\r", .status = NOT_LINKED, .edit = OFF,
     .then = HS RD, .pullAt = "btn_num?\r\r", .noted = "COM1 opened; port closed"},
    {.name = "driver_hands_xon_and_xoff_as_0", .pre = ZERO_XON_XOFF, .wire = HS RD, .status = CONNECTED},
    // A device gone, told by the error of a read or write, or by Windows.
    DEVICE_GONE(ERROR_BAD_COMMAND), DEVICE_GONE(ERROR_GEN_FAILURE), DEVICE_GONE(ERROR_ACCESS_DENIED),
    DEVICE_GONE(ERROR_OPERATION_ABORTED), DEVICE_GONE(ERROR_DEVICE_NOT_CONNECTED),
    {.name = "device_query_remove", .pre = OPEN, .act = DEVICE_EVENT, .arg = DBT_DEVICEQUERYREMOVE, .status = NOT_LINKED, .closes = 1, .then = HS RD},
    {.name = "device_remove_complete", .pre = OPEN, .act = DEVICE_EVENT, .arg = DBT_DEVICEREMOVECOMPLETE, .status = NOT_LINKED, .closes = 1, .then = HS RD},
    {.name = "another_device_removed_keeps_the_link", .pre = OPEN, .typed = "another", .act = DEVICE_EVENT,
     .arg = DBT_DEVICEREMOVECOMPLETE, .status = CONNECTED, .closes = 0, .then = RD},
    // Gone while the restart waits for the pad: its reads fail as a removed USB driver fails them.
    {.name = "device_gone_during_the_restart_wait", .pad = [](PadSimConfig& c) { c.rebootDelayMs = -1; }, .pre = OPEN,
     .typed = "ReadFile", .act = RESTART, .arg = ERROR_DEVICE_NOT_CONNECTED, .wire = CR "buttom_0=012\rreboot\r",
     .status = NOT_LINKED, .closes = 1, .then = HS RD, .pullAt = "reboot\r"},
    // The focus back on "up" after a box: only the user chooses a direction.
    {.name = "focus_back_on_an_unchecked_radio", .pre = OPEN, .act = REFOCUS, .arg = 1, .screen = TWELVE},
    // Down on the last enabled check box stays among the check boxes: no radio is clicked.
    {.name = "down_on_the_last_check_box_sends_no_direction", .pre = OPEN, .act = KEY_DOWN, .arg = 12, .screen = TWELVE},
    {.name = "late_restart_reply_window_answers", .pad = [](PadSimConfig& c) { c.rebootDelayMs = 8000; },
     .pre = PROBED, .act = RESTART, .wire = RESTARTED("012"), .box = REBOOT_OK},

    // Finding the pad tries every mapped port, here COM33 after a silent one
    // (given back as found); not COM12, a Bluetooth link.
    {.name = "find_the_pad_on_com33", .pair = 12, .act = FIND, .wire = HS CR "1_num?\r",
     .status = PAD_ON_COM33, .edit = OFF, .then = HS RD, .neighbours = true},
    {.name = "find_gives_back_a_port_whose_driver_refuses_its_own_record", .pre = ZERO_XON_XOFF, .pair = 12,
     .act = FIND, .wire = HS CR "1_num?\r", .status = PAD_ON_COM33, .then = HS RD, .neighbours = true},
    // A port another run holds is skipped, and sent nothing.
    {.name = "find_past_a_port_in_use", .pair = 12, .act = FIND, .wire = HS CR "1_num?\r", .status = PAD_ON_COM33,
     .then = HS RD, .neighbours = true, .held = 2},
    // An ordinary port numbered like the Bluetooth one is tried.
    {.name = "find_tries_com12_as_an_ordinary_port", .pre = COM12_SERIAL, .pair = 12, .act = FIND,
     .wire = HS CR "1_num?\r", .status = PAD_ON_COM33, .neighbours = true},
    // Whatever stack made it, a Bluetooth link's device comes from Windows' Bluetooth enumerator.
    {.name = "find_skips_a_port_of_a_bluetooth_device", .pre = COM12_BTHENUM, .pair = 12, .act = FIND,
     .wire = HS CR "1_num?\r", .status = PAD_ON_COM33, .neighbours = true},
    {.name = "find_no_pad_anywhere", .pad = Silent, .pair = 12, .act = FIND, .wire = HS, .status = NOT_LINKED,
     .box = NO_PAD, .neighbours = true},

    // Profiles: saved from what a read showed, loaded, read back and compared.
    {.name = "profile_saved_then_loaded_onto_another_pad", .state = MakePadState(16, 9, 0x05, 0x83, 0, 0), .pre = OPEN,
     .typed = "[pad]\r\nbuttons=16\r\ndirection=up-right\r\nset=1,3,9,10,16\r\n", .act = SAVE_LOAD,
     .wire = EDITS("009", "005", "131", "000", "000") RD, .status = CONNECTED, .box = ALL_ON_PAD, .edit = ON,
     .screen = "n16 e16 r1061 10100000 11000001 00000000 00000000"},
    {.name = "profile_of_another_count_restarts_first", .pre = OPEN, .typed = "[pad]\nbuttons=16\ndirection=up\nset=13",
     .act = LOAD, .wire = RESTARTED("016") EDITS("008", "000", "016", "000", "000") RD, .box = ALL_ON_PAD,
     .screen = "n16 e16 r1060 00000000 00001000 00000000 00000000", .asked = ASK_16},
    {.name = "profile_restart_declined", .pre = OPEN, .typed = "[pad]\nbuttons=16\ndirection=up\nset=13",
     .act = LOAD_DECLINING, .wire = EDITS("008", "000", "016", "000", "000") RD, .status = CONNECTED,
     .box = ALL_ON_PAD_KEPT_12, .asked = ASK_16},
    {.name = "profile_onto_a_pad_that_ignores_group_c", .pad = [](PadSimConfig& c) { c.ignoredGroup = 'c'; },
     .pre = OPEN, .typed = "[pad]\nbuttons=12\ndirection=down-right\nset=1,3,9,11", .act = LOAD,
     .wire = EDITS("005", "005", "005", "000", "000") RD, .box = PAD_DIFFERS_9_12},
    {.name = "profile_save_onto_a_folder", .pre = FOLDER_IN_WAY, .act = SAVE, .box = SAVE_FAILED},
    {.name = "profile_saved_over_an_older_one", .pre = FILE_THERE, .typed = SAVED_TWELVE, .act = SAVE},
    {.name = "profile_saved_in_a_folder_past_300_characters", .pre = LONG_FOLDER, .typed = SAVED_TWELVE, .act = SAVE},
    // Nothing to save before a read, nor when the file dialog is cancelled: no file, no box.
    {.name = "profile_save_before_any_read", .act = SAVE},
    {.name = "profile_save_cancelled", .pre = CANCELLED, .act = SAVE},
    {.name = "profile_load_cancelled", .pre = CANCELLED, .typed = GAME, .act = LOAD},
    {.name = "profile_loaded_before_any_read", .typed = GAME, .act = LOAD,
     .wire = HS RD EDITS("005", "005", "005", "000", "000") RD, .status = CONNECTED, .box = ALL_ON_PAD, .edit = ON},
    {.name = "profile_onto_a_pad_that_keeps_its_direction", .pad = [](PadSimConfig& c) { c.ignoredGroup = 'a'; },
     .pre = OPEN, .typed = "[pad]\nbuttons=12\ndirection=up\nset=1,3,11,12", .act = LOAD,
     .wire = EDITS("008", "005", "012", "000", "000") RD, .box = PAD_DIFFERS_DIRECTION},
    {.name = "profile_unreadable", .pre = FOLDER_IN_WAY, .act = LOAD, .box = READ_FILE_FAILED},
    {.name = "profile_file_dialog_fails", .pre = REFUSED, .typed = "GetOpenFileNameW", .act = LOAD,
     .box = FILE_DIALOG_FAILED},
    BAD_FILE("", EMPTY_FILE),
    BAD_FILE(largeFile.c_str(), LARGE_FILE),
    BAD_FILE("[pad]\n; caf\xE9", NOT_UTF8_2),
    BAD_FILE(longLine.c_str(), LONG_LINE_1),
    BAD_FILE("buttons=12", NO_SECTION_1),
    BAD_FILE("[pad]\ncolour=red", UNKNOWN_KEY_2),
    BAD_FILE("[pad]\nset=\nSET=", REPEATED_KEY_3),
    BAD_FILE("[pad]\nbuttons=1", MISSING_KEY_1),
    BAD_FILE("[pad]\nbuttons=x", NOT_A_NUMBER_2),
    BAD_FILE("[pad]\nbuttons=33", BAD_COUNT_2),
    BAD_FILE("[pad]\ndirection=north", BAD_DIRECTION_2),
    BAD_FILE("[pad]\nset=0", BAD_BUTTON_2),
    BAD_FILE("[pad]\nbuttons=2\ndirection=up\nset=3", ABOVE_COUNT_4),

#include "command_rows.inc"

    // What reaches a pipe is what the shell decodes: text in its console's
    // output code page, UTF-8 from a run with no console.
    {.name = "command_japanese_through_a_pipe_in_code_page_932", .act = COMMAND, .wire = HS "btn_off\r",
     .args = "--release-all --port COM1", .said = RELEASED, .printed = "SAID\r\n", .launch = PIPE_IN_CODE_PAGE_932},
    {.name = "command_japanese_through_a_pipe_with_no_console", .act = COMMAND, .wire = HS "btn_off\r",
     .args = "--release-all --port COM1", .said = RELEASED, .printed = "SAID\r\n", .launch = PIPES_WITHOUT_CONSOLE},
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

// Closes of a port made by the dialog's thread; the stand-in's thread closes
// its own port.
decltype(&CloseHandle) realCloseHandle;
int toolCloses;
DWORD toolThread;
// A port's handle, or one closed already: a second close of the port counts.
BOOL WINAPI CountCloseHandle(HANDLE handle) {
    bool port = GetFileType(handle) == FILE_TYPE_CHAR;
    BOOL closed = realCloseHandle(handle);
    if (GetCurrentThreadId() == toolThread && (port || !closed)) toolCloses++;
    return closed;
}

// A real driver keeps what the last program set; Wine starts every handle
// afresh. So the hostile record is handed over here, and what the tool passes
// back is the one view of the flags there is. A refused call fails here too.
decltype(&GetCommState) realGetCommState, realSetCommState;
decltype(&SetCommTimeouts) realSetCommTimeouts, realGetCommTimeouts;
bool hostile;
std::atomic<const char*> refusing{""};  // set last: the call is refused with removalError
DCB stateSet;
bool zeroXonXoff;
BOOL WINAPI HostileGetCommState(HANDLE port, LPDCB dcb) {
    BOOL ok = strcmp(refusing, "GetCommState") == 0 ? FALSE : realGetCommState(port, dcb);
    if (zeroXonXoff) dcb->XonChar = dcb->XoffChar = 0, dcb->XonLim = dcb->XoffLim = 0xFFFF;
    if (!hostile) return ok;
    dcb->fBinary = dcb->fTXContinueOnXoff = FALSE;
    dcb->fParity = dcb->fOutX = dcb->fInX = dcb->fErrorChar = dcb->fNull = dcb->fAbortOnError = TRUE;
    dcb->fDsrSensitivity = dcb->fOutxCtsFlow = dcb->fOutxDsrFlow = TRUE;
    dcb->fDtrControl = DTR_CONTROL_HANDSHAKE, dcb->fRtsControl = RTS_CONTROL_TOGGLE;
    dcb->BaudRate = 110, dcb->ByteSize = 7, dcb->Parity = ODDPARITY, dcb->StopBits = TWOSTOPBITS;
    return ok;
}
BOOL WINAPI HostileGetCommTimeouts(HANDLE port, LPCOMMTIMEOUTS timeouts) {
    BOOL ok = realGetCommTimeouts(port, timeouts);
    if (hostile) timeouts->ReadTotalTimeoutMultiplier = timeouts->WriteTotalTimeoutMultiplier = MAXDWORD;
    return ok;
}
// As Windows' drivers do: equal XON and XOFF, or limits past the queue, are refused.
BOOL WINAPI RecordSetCommState(HANDLE port, LPDCB dcb) {
    if (hostile) stateSet = *dcb;
    COMMPROP queue = {};
    GetCommProperties(port, &queue);
    if (dcb->XonChar == dcb->XoffChar || dcb->XonLim > queue.dwCurrentRxQueue || dcb->XoffLim > queue.dwCurrentRxQueue)
        return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
    return strcmp(refusing, "SetCommState") == 0 ? FALSE : realSetCommState(port, dcb);
}
BOOL WINAPI RefusableSetCommTimeouts(HANDLE port, LPCOMMTIMEOUTS timeouts) {
    return strcmp(refusing, "SetCommTimeouts") == 0 ? FALSE : realSetCommTimeouts(port, timeouts);
}
// The errors of a driver whose device has gone, which Wine's never gives.
decltype(&ReadFile) realReadFile;
decltype(&WriteFile) realWriteFile;
std::atomic<DWORD> removalError;
BOOL WINAPI RemovableReadFile(HANDLE file, LPVOID data, DWORD size, LPDWORD got, LPOVERLAPPED overlapped) {
    if (file != HandleOfPort(linkPort) || strcmp(refusing, "ReadFile")) return realReadFile(file, data, size, got, overlapped);
    return *got = 0, SetLastError(removalError), FALSE;
}
// A cable pulled, or a device removed, at the tool's write that completes
// Row::pullAt: before that write returns, so the tool can never get past it.
PadSim* pulledPad;
const char* pullAt;
std::string writtenToLink;
const char* pullRefusing;  // the call that fails from then on, or "" for the cable
DWORD pullError;
void PullOnWrite(const void* data, DWORD size) {
    writtenToLink.append((const char*)data, size);
    if (!pullAt || writtenToLink.find(pullAt) == std::string::npos) return;
    pullAt = nullptr;
    if (*pullRefusing) return (void)(removalError = pullError, refusing = pullRefusing);  // in that order
    SettledWire(*pulledPad, writtenToLink.size());  // the stand-in has seen it all
    RelayDown(1);
}
BOOL WINAPI RemovableWriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD done, LPOVERLAPPED overlapped) {
    if (file != HandleOfPort(linkPort)) return realWriteFile(file, data, size, done, overlapped);
    if (!strcmp(refusing, "WriteFile")) return *done = 0, SetLastError(removalError), FALSE;
    BOOL written = realWriteFile(file, data, size, done, overlapped);
    if (written) PullOnWrite(data, *done);
    return written;
}
// COM2's line speed as the next program finds it; set first when speed is given.
// The port's speed, set first when speed is given.
DWORD PortSpeed(const char* port, DWORD speed = 0) {
    HANDLE handle = CreateFileA(port, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    DCB dcb = {};
    if (GetCommState(handle, &dcb) && speed) dcb.BaudRate = speed, SetCommState(handle, &dcb);
    CloseHandle(handle);
    return dcb.BaudRate;
}
// COM12's map entry names a Bluetooth modem, or again the serial device Wine names.
void MapCom12AsBluetooth(bool bluetooth) {
    HKEY map;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_ALL_ACCESS, &map);
    RegDeleteValueA(map, bluetooth ? "\\Device\\Serial11" : "\\Device\\BthModem11");
    RegSetValueExA(map, bluetooth ? "\\Device\\BthModem11" : "\\Device\\Serial11", 0, REG_SZ, (const BYTE*)"COM12", 6);
    RegCloseKey(map);
}

// A device of the Ports class as Windows' Bluetooth enumerator makes one for
// any stack's serial link, with COM12 as its port; made afresh, or removed.
const GUID portsClass = {0x4d36e978, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};
const char bluetoothDevice[] = "BTHENUM\\{00001101-0000-1000-8000-00805F9B34FB}_LOCALMFG&0000\\7&1234&0&000000000000_00000000";
void RemoveBluetoothDevice(void) {
    HDEVINFO set = SetupDiCreateDeviceInfoList(&portsClass, NULL);
    SP_DEVINFO_DATA device = {sizeof device, {}, 0, 0};
    if (SetupDiOpenDeviceInfoA(set, bluetoothDevice, NULL, 0, &device)) SetupDiRemoveDevice(set, &device);
    SetupDiDestroyDeviceInfoList(set);
}
bool MakeBluetoothDevice(void) {
    RemoveBluetoothDevice();
    HDEVINFO set = SetupDiCreateDeviceInfoList(&portsClass, NULL);
    SP_DEVINFO_DATA device = {sizeof device, {}, 0, 0};
    HKEY key = SetupDiCreateDeviceInfoA(set, bluetoothDevice, &portsClass, NULL, NULL, 0, &device) &&
                       SetupDiRegisterDeviceInfo(set, &device, 0, NULL, NULL, NULL)
                   ? SetupDiCreateDevRegKeyA(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, NULL, NULL)
                   : (HKEY)INVALID_HANDLE_VALUE;
    bool made = key != INVALID_HANDLE_VALUE && RegSetValueExA(key, "PortName", 0, REG_SZ, (const BYTE*)"COM12", 6) == 0;
    if (key != INVALID_HANDLE_VALUE) RegCloseKey(key);
    SetupDiDestroyDeviceInfoList(set);
    return made;
}

// Down as the modal loop hands a key to the dialog manager, the focus on control id.
void PressDown(HWND dialog, int id) {
    SetFocus(GetDlgItem(dialog, id));
    MSG key = {GetFocus(), WM_KEYDOWN, VK_DOWN, 1, 0, {}};
    if (!IsDialogMessageW(dialog, &key)) ADD_FAILURE() << "the dialog manager did not take Down";
}

// Windows' automatic radio button, which Wine's is not: "BM_SETDONTCLICK: Sets
// a flag on a radio button that controls the generation of BN_CLICKED messages
// when the radio button receives focus" (Win32 documentation, Button Messages).
// An unchecked one clicks when it gets the focus unless so told.
WNDPROC buttonProc;
LRESULT CALLBACK WindowsRadio(HWND radio, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == BM_SETDONTCLICK) SetWindowLongPtrW(radio, GWLP_USERDATA, wParam);
    LRESULT result = CallWindowProcW(buttonProc, radio, message, wParam, lParam);
    if (message == WM_SETFOCUS && !GetWindowLongPtrW(radio, GWLP_USERDATA) && !SendMessageW(radio, BM_GETCHECK, 0, 0))
        SendMessageW(GetParent(radio), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(radio), BN_CLICKED), (LPARAM)radio);
    return result;
}
LRESULT CALLBACK MakeRadiosWindows(int code, WPARAM wParam, LPARAM lParam) {
    wchar_t name[16] = L"";
    if (code == HCBT_CREATEWND && GetClassNameW((HWND)wParam, name, 16) && lstrcmpiW(name, L"Button") == 0 &&
        (((CBT_CREATEWNDW*)lParam)->lpcs->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
        buttonProc = (WNDPROC)SetWindowLongPtrW((HWND)wParam, GWLP_WNDPROC, (LONG_PTR)WindowsRadio);
    return CallNextHookEx(NULL, code, wParam, lParam);
}

std::string LineFlags(const DCB& d) {
    char text[160];
    snprintf(text, sizeof text, "%lu %d%d%d bin%d par%d outx%d inx%d err%d null%d abort%d dsr%d txc%d cts%d dsrflow%d dtr%d rts%d",
             (unsigned long)d.BaudRate, d.ByteSize, d.Parity, d.StopBits, d.fBinary, d.fParity, d.fOutX, d.fInX,
             d.fErrorChar, d.fNull, d.fAbortOnError, d.fDsrSensitivity, d.fTXContinueOnXoff, d.fOutxCtsFlow,
             d.fOutxDsrFlow, d.fDtrControl, d.fRtsControl);
    return text;
}

// Another program asking every 500 ms whether the window lives; Windows calls
// a window "not responding" when a question waits 5 s. Counts the questions
// answered in time and not; stops once told, and says so.
std::atomic<bool> probing, probed;
std::atomic<int> answered, unanswered;
void ProbeWindow(HWND window) {
    while (probing) {
        DWORD_PTR result;
        (SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) ? answered : unanswered)++;
        Sleep(500);
    }
    probed = true;
}

// The common file dialogs have no face under the null driver: the file is named here.
std::wstring profileFolder, profileFile, longProfileFile;
// Windows makes no temporary name in a folder longer than MAX_PATH - 14, in
// long-path mode too (ERROR_BUFFER_OVERFLOW); Wine makes one, and writes it
// past the caller's MAX_PATH characters. The tool meets Windows' limit here.
decltype(&GetTempFileNameW) realGetTempFileNameW;
UINT WINAPI WindowsTempFileName(LPCWSTR folder, LPCWSTR prefix, UINT unique, LPWSTR name) {
    if (lstrlenW(folder) > MAX_PATH - 14) return SetLastError(ERROR_BUFFER_OVERFLOW), 0;
    return realGetTempFileNameW(folder, prefix, unique, name);
}
// Real folders nested in the profiles' folder past 300 characters, made and
// removed in the long form (\\?\) that Windows needs past MAX_PATH; the
// profile file is named in the deepest, and the folder's checks look there.
void EnterLongFolder(void) {
    while (profileFolder.size() <= 300) {
        profileFolder += L"a folder nested in another, to pass 300\\";
        CreateDirectoryW((L"\\\\?\\" + profileFolder).c_str(), NULL);
    }
    profileFile = profileFolder + L"p." PROFILE_EXTENSION;
}
void LeaveLongFolder(const std::wstring& folder) {
    for (; profileFolder.size() > folder.size(); profileFolder.resize(profileFolder.rfind(L'\\', profileFolder.size() - 2) + 1))
        RemoveDirectoryW((L"\\\\?\\" + profileFolder).c_str());
    profileFile = profileFolder + L"p." PROFILE_EXTENSION;
}
DWORD WINAPI FileDialogError(void) { return *refusing && strcmp(refusing, "cancel") ? FNERR_BUFFERTOOSMALL : 0; }
BOOL WINAPI NameProfileFile(LPOPENFILENAMEW box) {
    if (!strcmp(refusing, "GetOpenFileNameW") || !strcmp(refusing, "cancel")) return FALSE;
    lstrcpynW(box->lpstrFile, profileFile.c_str(), box->nMaxFile);
    return TRUE;
}
// The names in the folder; with clear, emptied.
std::string FilesIn(bool clear = false) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((profileFolder + L"*").c_str(), &found);
    std::string names;
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
        if (found.cFileName[0] == L'.') continue;
        names += Utf8(found.cFileName) + " ";
        if (clear) DeleteFileW((profileFolder + found.cFileName).c_str()), RemoveDirectoryW((profileFolder + found.cFileName).c_str());
    }
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    return names;
}
// The tool's own whole-file writes and reads.
void WriteProfileFile(const char* text) { ::WriteProfileFile(profileFile.c_str(), text, strlen(text)); }
std::string ProfileFileText(void) {
    char text[256];
    size_t got = 0;
    ::ReadProfileFile(profileFile.c_str(), text, sizeof text, &got);
    return std::string(text, got);
}
// Each box's caption and icon: the same wherever the box shows.
std::pair<TextKey, UINT> BoxLook(TextKey box) {
    switch (box) {
    case PROBE_BOX: return {PAD_INFO, MB_OK | MB_ICONERROR};
    case OPEN_BOX: return {OPEN_CAPTION, MB_OK | MB_ICONERROR | MB_SYSTEMMODAL};
    case REBOOT_OK: return {REBOOT_CAPTION, MB_OK | MB_ICONINFORMATION};
    case REBOOT_FAILED: return {REBOOT_CAPTION, MB_OK | MB_ICONERROR};
    case NO_PAD: return {FIND_CAPTION, MB_OK | MB_ICONINFORMATION};
    case ASK_16: return {LOAD_CAPTION, MB_YESNO | MB_ICONQUESTION};
    case ALL_ON_PAD: case ALL_ON_PAD_KEPT_12: return {LOAD_CAPTION, MB_OK | MB_ICONINFORMATION};
    case PAD_DIFFERS_9_12: case PAD_DIFFERS_DIRECTION: return {LOAD_CAPTION, MB_OK | MB_ICONWARNING};
    case SAVE_FAILED: return {SAVE_CAPTION, MB_OK | MB_ICONERROR};
    default: return {LOAD_CAPTION, MB_OK | MB_ICONERROR};  // a profile that cannot be loaded
    }
}
std::string Box(TextKey box, const std::string& text) {
    auto [caption, flags] = BoxLook(box);
    return text + " | " + Text(caption) + " | " + std::to_string(flags) + "; ";
}
// A file that failed is named, then the system's reason, which is its own.
std::string BoxExpected(const Row& row) {
    std::string text = row.box ? Text(row.box) : "", asked = row.asked ? Box(row.asked, Text(row.asked)) : "";
    size_t file = text.find("%s");
    if (file != std::string::npos) text.replace(file, 2, Utf8(profileFile.c_str())) += "\n<reason>";
    if (row.asked && row.act == LOAD) asked += Box(REBOOT_OK, Text(REBOOT_OK));
    return row.box ? asked + Box(row.box, text) : "";
}
std::wstring transcriptFile, commandLog;
DWORD SizeOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}
std::string WithoutReason(std::string seen) {
    size_t line = seen.find('\n'), end = seen.find(" | ");
    if (line < end && end - line > 1) seen.replace(line + 1, end - line - 1, "<reason>");
    return seen;
}

std::string BoxesShown(void) {
    std::string seen;
    for (const ShownBox& box : ShownBoxes())
        seen += box.text + " | " + box.caption + " | " + std::to_string(box.flags) + "; ";
    return seen;
}

class Scenario : public ::testing::TestWithParam<Row> {
protected:
    void SetUp() override {
        StartRecordingBoxes();
        toolThread = GetCurrentThreadId();
        if (!realCloseHandle) {
            realCloseHandle = (decltype(&CloseHandle))PatchImport(&__imp_CloseHandle, (void*)CountCloseHandle);
            realGetCommState = (decltype(&GetCommState))PatchImport(&__imp_GetCommState, (void*)HostileGetCommState);
            realSetCommState = (decltype(&SetCommState))PatchImport(&__imp_SetCommState, (void*)RecordSetCommState);
            realSetCommTimeouts = (decltype(&SetCommTimeouts))PatchImport(&__imp_SetCommTimeouts, (void*)RefusableSetCommTimeouts);
            realGetCommTimeouts = (decltype(&GetCommTimeouts))PatchImport(&__imp_GetCommTimeouts, (void*)HostileGetCommTimeouts);
            PatchImport(&__imp_GetOpenFileNameW, (void*)NameProfileFile);
            PatchImport(&__imp_GetSaveFileNameW, (void*)NameProfileFile);
            PatchImport(&__imp_CommDlgExtendedError, (void*)FileDialogError);
            realReadFile = (decltype(&ReadFile))PatchImport(&__imp_ReadFile, (void*)RemovableReadFile);
            realWriteFile = (decltype(&WriteFile))PatchImport(&__imp_WriteFile, (void*)RemovableWriteFile);
            realGetTempFileNameW = (decltype(&GetTempFileNameW))PatchImport(&__imp_GetTempFileNameW, (void*)WindowsTempFileName);
            SetWindowsHookExW(WH_CBT, MakeRadiosWindows, NULL, GetCurrentThreadId());
            WCHAR temp[MAX_PATH];
            GetTempPathW(MAX_PATH, temp);
            profileFolder = std::wstring(temp) + L"padconfig-profiles\\";
            profileFile = profileFolder + L"p." PROFILE_EXTENSION;
            for (longProfileFile = profileFolder; longProfileFile.size() < 300 - 13;) longProfileFile += L".\\";
            longProfileFile += L"p." PROFILE_EXTENSION;
            CreateDirectoryW(profileFolder.c_str(), NULL);
            transcriptFile = std::wstring(temp) + L"padconfig-scenario.log";
            commandLog = std::wstring(temp) + L"padconfig-command.log";
            DeleteFileW(transcriptFile.c_str());
            ASSERT_EQ(OpenTranscript(transcriptFile.c_str()), 0u) << "the transcript of every case";
        }
        FilesIn(true);
    }
    void TearDown() override {
        if (dialog) DestroyConfigDialog(dialog);
        if (claim) CloseHandle(claim);
        if (pad) StopPadSim(*pad);
        if (relayDown) RelayUp(1);
        if (editor != INVALID_HANDLE_VALUE) CloseHandle(editor), editor = INVALID_HANDLE_VALUE;
        if (bluetooth) MapCom12AsBluetooth(bluetooth = false);
        if (deviceMade) RemoveBluetoothDevice(), deviceMade = false;
        if (!shortFolder.empty()) FilesIn(true), LeaveLongFolder(shortFolder), shortFolder.clear();
        for (auto& neighbour : neighbours)
            if (neighbour) StopPadSim(*neighbour);
        if (second) StopPadSim(*second), second.reset();
        // A search wrote to every port: fresh relays hold no stray bytes for later cases.
        for (int pair = 1; searched && pair <= 12; pair++) RelayUp(pair);
    }

    void StartPad(int pair, const PadState& state) { StartSim(pad, pair, state); }
    static void StartSim(std::unique_ptr<PadSim>& sim, int pair, const PadState& state, bool silent = false) {
        if (sim) StopPadSim(*sim);
        sim.reset(new PadSim);
        sim->config.state = state;
        if (silent) sim->config.misbehaviour = BEHAVE_SILENT;
        ASSERT_TRUE(StartPadOnPair(*sim, pair)) << "the stand-in's COM" << 20 + pair;
    }
    // Answers to a lone carriage return that fill every read of the handshake
    // and the drain: a read before or after the action takes no time-outs.
    void AnswerPromptly(bool promptly) {
        std::lock_guard<std::mutex> guard(pad->lock);
        pad->config.handshakeReply = promptly ? "OK" + std::string(62, '.') : "OK\r\n";
    }
    void Misbehave(const Row& row) {
        std::lock_guard<std::mutex> guard(pad->lock);
        if (row.pad) row.pad(pad->config);
    }
    void Prepare(const Row& row) {
        if (LinkFirst(row)) {
            AnswerPromptly(true);
            Click(dialog, 1005);
            AnswerPromptly(false);
            ASSERT_EQ(LinkState, LINK_OPEN) << "the read before the action";
        }
        if (row.pre == CHOSEN_PORT) {
            LRESULT at = SendDlgItemMessageA(dialog, 1016, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)row.typed);
            ASSERT_GE(at, 10) << row.typed << " is listed after the ten";
            SendDlgItemMessageA(dialog, 1016, CB_SETCURSEL, at, 0);
        }
        if (row.pre == TYPED_PORT || row.pre == TYPED_COUNT) {
            int list = row.pre == TYPED_PORT ? 1016 : 1017;
            SendDlgItemMessageA(dialog, list, CB_SETCURSEL, (WPARAM)-1, 0);
            SetDlgItemTextA(dialog, list, row.typed);
        }
        if (row.pre == STALE_ACK) Click(dialog, 1016);
        if (row.pre == FOLDER_IN_WAY) CreateDirectoryW(profileFile.c_str(), NULL);
        if (row.pre == LONG_FOLDER) shortFolder = profileFolder, EnterLongFolder();
        if (row.pre == FILE_THERE) WriteProfileFile("[pad]\nbuttons=2\ndirection=up\nset=1");
        if (row.pre == SWAPPED) StartPad(row.pair, row.state);
        if (row.pre == RELAY_DOWN || row.pre == PULLED) RelayDown(1), relayDown = true;
        hostile = row.pre == HOSTILE;
        refusing = row.pre == REFUSED ? row.typed : row.pre == CANCELLED ? "cancel" : "";
        if (row.pre == REMOVED) refusing = row.typed, removalError = row.arg;
        answered = unanswered = 0;
        probing = row.pre == PROBED, probed = false;
        if (probing) prober = std::thread(ProbeWindow, dialog), probeStart = GetTickCount();
        if (row.neighbours) Quieten(row);
        zeroXonXoff = row.pre == ZERO_XON_XOFF;  // after the neighbours' own settings
        if (row.held) claim = CreateMutexW(NULL, FALSE, (L"Local\\padconfig-COM" + std::to_wstring(row.held)).c_str());
        filesBefore = FilesIn();
    }
    // The ports of pairs no case here uses go away: they then fail to open at
    // once instead of each waiting out a silent handshake. Silent devices take
    // COM2 and COM12, on fresh relays: an earlier case's answers may still
    // wait in the old ones.
    void Quieten(const Row& row) {
        searched = true;
        for (int pair = 1; pair <= 12; pair++)
            if (pair != row.pair && pair != 2 && pair != 11) RelayDown(pair);
        for (int i = 0; i < 2; i++) {
            RelayUp(i ? 11 : 2);
            StartSim(neighbours[i], i ? 11 : 2, Twelve(), true);
        }
        PortSpeed("COM2", 19200), MapCom12AsBluetooth(bluetooth = row.pre != COM12_SERIAL);  // as others left them
        // An ordinary name in the map, a Bluetooth device behind it.
        if (row.pre == COM12_BTHENUM) MapCom12AsBluetooth(bluetooth = false);
        if (row.pre == COM12_BTHENUM) ASSERT_TRUE(deviceMade = MakeBluetoothDevice()) << "the Bluetooth device of COM12";
        if (row.secondPair) RelayUp(row.secondPair), StartSim(second, row.secondPair, MakePadState(8, 0, 0, 0, 0, 0));
    }
    // Once the tool has written Row::pullAt, the cable is pulled (the relay of
    // COM1 ends), or the driver fails the Row::typed call with Row::arg from then on.
    void PullAt(const Row& row) {
        pulledPad = pad.get(), writtenToLink.clear();
        pullRefusing = row.typed, pullError = row.arg;
        pullAt = row.pullAt;
        relayDown = !*row.typed;
    }
    void Act(const Row& row) {
        static const int ids[] = {1005, 0, 0, 1003, 1004, 1075, 1016, 0, 40007, 40008, 40009, 40009};
        if (row.pullAt) PullAt(row);
        if (row.act == BOX) return UserClick(dialog, 1027 + row.arg - 1);
        if (row.act == RADIO) return UserClick(dialog, 1059 + row.arg);
        if (row.act == REFOCUS) return (void)SetFocus(GetDlgItem(dialog, 1059 + row.arg));
        if (row.act == KEY_DOWN) return PressDown(dialog, 1027 + row.arg - 1);
        HANDLE other = GetStdHandle(STD_INPUT_HANDLE), handle = *row.typed ? other : HandleOfPort(linkPort);
        DEV_BROADCAST_HANDLE device = {sizeof device, DBT_DEVTYP_HANDLE, 0, handle, NULL, {}, 0, {0}};
        if (row.act == DEVICE_EVENT) return (void)SendMessageW(dialog, WM_DEVICECHANGE, row.arg, (LPARAM)&device);
        if (row.act == LOAD || row.act == LOAD_DECLINING)
            WriteProfileFile(row.typed), editor = CreateFileW(profileFile.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        AnswerYesNoWith(row.act == LOAD_DECLINING ? IDNO : IDYES);
        if (row.act == SAVE_LOAD) return SaveThenLoadOntoAnotherPad(row);
        if (row.act == COMMAND) return RunCommand(row);
        if (row.act != MAIN_CLOSE) return (void)Click(dialog, ids[row.act]);
        CloseMainWindow();
    }
    // Every run keeps a transcript: the stand-in is waited on for all it says
    // went to the pad.
    void RunCommand(const Row& row) {
        if (*row.typed) WriteProfileFile(row.typed);
        std::string arguments = WithLog(row.args);
        Replace(arguments, "FILE", "\"" + Utf8(profileFile.c_str()) + "\"");
        Replace(arguments, "LONG", "\"" + Utf8(longProfileFile.c_str()) + "\"");
        Replace(arguments, "LOG", "\"" + Utf8(commandLog.c_str()) + "\"");
        DeleteFileW(commandLog.c_str());
        if (row.interruptAt) PortSpeed("COM1", 19200);  // as another program left it
        auto due = [&] { return ToolBytes(WireSnapshot(*pad)).find(row.interruptAt) != std::string::npos; };
        run = row.interruptAt ? RunPadconfigInterrupted(arguments, due)
              : row.launch    ? RunPadconfigAs(arguments, row.launch)
                              : RunPadconfig(arguments);
        SettledWire(*pad, BytesToAwait(FileText(commandLog), "COM" + std::to_string(ComOfPair(row.pair)), row.wire));
    }
    // What the run must have written, its placeholders filled.
    std::string Printed(const Row& row) {
        return FilledPrinted(row.printed, Utf8(profileFile.c_str()), Utf8(longProfileFile.c_str()), Text(row.said), Text(USAGE));
    }
    // A shell's launch: what came through its pipe, and the console.
    void CheckCommand(const Row& row, const std::vector<WireByte>& wire) {
        std::string said = Text(row.said);
        Replace(said, "%s", Utf8(profileFile.c_str()));
        bool shell = row.launch != NO_SHELL;
        CheckCommandRun({run.exit, run.output, shell ? run.screen : run.error, FileText(commandLog),
                         "COM" + std::to_string(ComOfPair(row.pair)), wire},
                        {row.exit, row.printed ? std::optional<std::string>(Printed(row)) : std::nullopt, said,
                         Text(row.onScreen), shell});
        if (row.exit && strstr(row.args, "--save")) EXPECT_EQ(FilesIn(), filesBefore) << "a failed run wrote a file";
        if (row.interruptAt) EXPECT_EQ(PortSpeed("COM1"), 19200u) << "COM1 given back as found";
        if (row.interruptAt) EXPECT_EQ(Count(TranscribedNotes(FileText(commandLog)), "interrupted"), 1);
    }
    void SaveThenLoadOntoAnotherPad(const Row& row) {
        SendMessageA(dialog, WM_COMMAND, 40008, 0);
        savedText = ProfileFileText();
        StartPad(row.pair, MakePadState(row.state.buttonCount, 0, 0xFF, 0, 0xFF, 0xFF));
        SendMessageA(dialog, WM_COMMAND, 40009, 0);
    }
    // The prober stops, and its last question is answered here before the join.
    void StopProbing(void) {
        DWORD took = GetTickCount() - probeStart;
        probing = false;
        for (int waited = 0; !probed && waited < 10000; waited += 5) PumpMessages(), Sleep(5);
        ASSERT_TRUE(probed) << "the prober did not stop within 10 s";
        prober.join();
        EXPECT_EQ(unanswered, 0) << "questions left 5 s without an answer, of " << answered + unanswered;
        // A question every 500 ms: the prober was at work all along.
        EXPECT_GE(answered, (int)(took / 5000)) << "answers in " << took << " ms";
    }
    // The action's effects, checked against the row.
    void Check(const Row& row) {
        int closes = toolCloses;  // the action's own: the checks below open and close ports too
        hostile = false, refusing = "", zeroXonXoff = false;
        pullAt = nullptr;
        if (prober.joinable()) StopProbing();
        if (row.pre == HOSTILE)
            EXPECT_EQ(LineFlags(stateSet), "9600 800 bin1 par0 outx0 inx0 err0 null0 abort0 dsr0 txc1 cts0 dsrflow0 dtr0 rts0");
        bool onePort = row.act != COMMAND && !row.neighbours;
        std::string transcript = FileText(transcriptFile, transcriptStart), sent = TranscribedBytes(transcript, WIRE_SENT);
        std::vector<WireByte> wire = SettledWire(*pad, onePort ? sent.size() : strlen(row.wire));
        EXPECT_EQ(ToolBytes(wire), row.wire) << "what the tool sent";
        // COM2 sees the handshake unless another run holds it; COM12 only when it is no Bluetooth link.
        bool com12Tried = row.pre == COM12_SERIAL;
        for (int i = 0; i < 2; i++)
            if (neighbours[i]) {
                const char* seen = (i ? !com12Tried : row.held == 2 || row.interruptAt) ? "" : HS;
                EXPECT_EQ(ToolBytes(SettledWire(*neighbours[i], strlen(seen))), seen) << "neighbour " << i;
            }
        if (row.neighbours) EXPECT_EQ(PortSpeed("COM2"), 19200u) << "COM2 given back as found";
        if (second) EXPECT_EQ(ToolBytes(SettledWire(*second, strlen(row.wire))), row.wire) << "the second pad";
        if (row.act == COMMAND) return CheckCommand(row, wire);
        std::string notes = TranscribedNotes(transcript);
        if (onePort) EXPECT_EQ(sent, ToolBytes(wire)) << "the transcript";
        if (row.noted) EXPECT_EQ(notes, row.noted) << "the transcript's notes";
        // A search opens many ports: each one it opened, it closed.
        if (row.act == FIND) EXPECT_EQ(closes, Count(notes, " opened") - Count(notes, "cannot be opened")) << notes;
        if (row.neighbours) EXPECT_TRUE(Count(notes, "COM2 ") > 0 && (Count(notes, "COM12") > 0) == com12Tried) << notes;
        // A port the search skips stays in the list, which the search read again.
        if (row.act == FIND) EXPECT_GE(SendDlgItemMessageA(dialog, 1016, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)"COM12"), 10);
        if (row.act == KEY_DOWN) EXPECT_EQ(GetDlgCtrlID(GetFocus()), 1027) << "Down goes round to the first check box";
        if (row.status) EXPECT_EQ(ControlText(dialog, 1000), Text(row.status)) << "status label";
        EXPECT_EQ(ControlText(dialog, 1005) + " | " + ControlText(dialog, 1075), Text(PAD_INFO) + " | " + Text(RESTART_USB))
            << "button captions after the action";
        std::string expected = BoxExpected(row);
        EXPECT_EQ(expected.find("<reason>") != std::string::npos ? WithoutReason(BoxesShown()) : BoxesShown(), expected)
            << "message boxes";
        if (row.act == SAVE_LOAD) EXPECT_EQ(savedText, row.typed) << "the file saved";
        if (row.act == SAVE && *row.typed) EXPECT_EQ(ProfileFileText(), row.typed) << "the file saved";
        bool saves = row.act == SAVE_LOAD || (row.act == SAVE && LinkFirst(row) && row.pre != CANCELLED);
        if (row.act == SAVE || row.act == SAVE_LOAD) EXPECT_EQ(FilesIn(), saves ? "p.padprofile " : "") << "the folder's names";
        if (row.edit != ANY) EXPECT_EQ(EditControlsNot(dialog, row.edit == ON), "") << "editing controls not as wanted";
        if (row.screen) EXPECT_EQ(ScreenOf(dialog), row.screen);
        if (row.closes >= 0) EXPECT_EQ(closes, row.closes) << "closes of the port";
        COMMTIMEOUTS t = {};
        if (LinkState == LINK_OPEN && GetCommTimeouts(HandleOfPort(linkPort), &t))
            EXPECT_EQ(std::vector<DWORD>({t.ReadIntervalTimeout, t.ReadTotalTimeoutMultiplier, t.ReadTotalTimeoutConstant,
                                          t.WriteTotalTimeoutMultiplier, t.WriteTotalTimeoutConstant}),
                      std::vector<DWORD>({300, 0, 500, 0, 500})) << "time-outs left on the open port";
    }
    void ThenReadHealthyPad(const Row& row) {
        if (relayDown) RelayUp(1), relayDown = false;
        if (claim) CloseHandle(claim), claim = NULL;
        StartPad(row.pair, StateSnapshot(*pad));
        // A port opened again may still hold the last answer's bytes, which a
        // long reply would push out of the handshake's reach.
        AnswerPromptly(LinkState == LINK_OPEN);
        ShownBoxes().clear();
        Click(dialog, 1005);
        EXPECT_EQ(ToolBytes(SettledWire(*pad, strlen(row.then))), row.then) << "the following read";
        EXPECT_EQ(ControlText(dialog, 1000), Text(CONNECTED)) << "after the following read";
        EXPECT_EQ(BoxesShown(), "") << "after the following read";
    }

    HWND dialog = NULL;
    static bool LinkFirst(const Row& row) {
        return row.pre >= OPEN || (row.pre == FOLDER_IN_WAY && row.act != COMMAND);
    }
    std::string savedText, filesBefore;
    ProgramRun run;
    DWORD transcriptStart = 0, probeStart = 0;
    std::unique_ptr<PadSim> pad, neighbours[2], second;
    std::thread prober;
    HANDLE claim = NULL;
    bool relayDown = false, searched = false;
    HANDLE editor = INVALID_HANDLE_VALUE;  // the profile file, held open for writing as an editor holds it
    bool bluetooth = false, deviceMade = false;
    std::wstring shortFolder;  // the profiles' own folder while a row works in a long one
};

TEST_P(Scenario, Row) {
    const Row& row = GetParam();
    ASSERT_FALSE(row.act == COMMAND && (row.status || row.box || row.screen || row.edit != ANY || row.then))
        << "a command row checks the run, not the test's own dialog";
    // A second face changes only what a user reads: each status and box once.
    bool shownBefore = !row.status && !row.box && !row.said;
    for (const Row* other = rows; other->name != row.name && !shownBefore; other++)
        shownBefore = other->status == row.status && other->box == row.box && other->said == row.said;
    if (PRIMARYLANGID(GetUserDefaultUILanguage()) != LANG_JAPANESE && shownBefore)
        GTEST_SKIP() << "its texts are another case's";
    StartPad(row.pair, row.pre == SWAPPED ? Twelve() : row.state);
    dialog = CreateConfigDialog();
    ASSERT_NE(dialog, nullptr);
    if (!LinkFirst(row)) Misbehave(row);
    Prepare(row);
    if (LinkFirst(row)) Misbehave(row);
    ClearWire(*pad);
    ShownBoxes().clear();
    toolCloses = 0;
    transcriptStart = SizeOf(transcriptFile);
    Act(row);
    Check(row);
    if (row.then) ThenReadHealthyPad(row);
}

INSTANTIATE_TEST_SUITE_P(Rows, Scenario, ::testing::ValuesIn(rows),
                         [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

// The handshake's pauses matter to the pad: each of its two reads is followed
// by 100 ms before the next carriage return, as the tool's own transcript
// stamps them. Answers that fill each read end it at once, so no time-out
// hides a missing pause.
TEST_F(Scenario, HandshakePausesAfterEachRead) {
    StartPad(1, Twelve());
    pad->config.handshakeReply = "O" + std::string(63, '.');
    dialog = CreateConfigDialog();
    DWORD start = SizeOf(transcriptFile);
    Click(dialog, 1005);
    relayDown = true;  // long answers are left unread: the next case gets a fresh relay
    std::vector<double> pauses;  // from a read's last bytes to the tool's next carriage return
    double lastRead = -1;
    for (const Burst& burst : TranscribedBursts(FileText(transcriptFile, start))) {
        if (burst.direction == WIRE_RECEIVED) lastRead = burst.ms;
        if (burst.direction == WIRE_SENT && burst.bytes == "\r" && lastRead >= 0) pauses.push_back(burst.ms - lastRead);
    }
    ASSERT_GE(pauses.size(), 2u) << "carriage returns after a read";
    EXPECT_GE(pauses[0], HANDSHAKE_PAUSE_MS - 1) << "ms from the first read to the second carriage return";
    EXPECT_GE(pauses[1], HANDSHAKE_PAUSE_MS - 1) << "ms from the second read to the next carriage return";
}

}  // namespace
