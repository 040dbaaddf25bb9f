// Setting the button count and restarting the pad, for any caller.
#include "clock.h"
#include "serial_link.h"

// A count the pad cannot take sends nothing and so must not restart the pad;
// a pad that never answers the restart, or answers another count, has failed it.
RestartResult RestartPad(int count) {
    DrainInput();
    char command[LINK_BUFFER_SIZE];
    if (!FormatCountCommand(command, sizeof command, count)) return RESTART_FAILED;
    SendCommand(command);
    if (!AckOk()) return COUNT_REFUSED;
    SendCommand(CMD_REBOOT);
    int reported = AwaitRestartReply();
    if (LinkState != LINK_OPEN) return RESTART_LINK_LOST;
    return reported == count ? RESTARTED : RESTART_FAILED;
}

// What follows a restart: the read, all buttons released, "Ini_Disp", with
// the pauses between them.
bool ReadRestartedPad(PadSettings* settings) {
    bool read = ReadPadSettings(settings);
    PauseMs(EXCHANGE_PAUSE_MS);
    SendCommand(CMD_RELEASE_ALL, SEND_ACK_IF_CR_WRITTEN);
    PauseMs(EXCHANGE_PAUSE_MS);
    SendCommand(CMD_INI_DISP, SEND_NO_PAUSE);
    return read;
}
