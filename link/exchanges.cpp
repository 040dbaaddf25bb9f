// The exchanges of the pad's protocol over the open link. Every decision rests
// only on bytes that the exchange itself received: what a read may fill is
// cleared before it reads, so an earlier reply can never pass for this one.
#include <cstring>

#include "port_io.h"
#include "protocol.h"
#include "serial_link.h"

constexpr DWORD ACK_BYTES = 4;
constexpr DWORD VALUE_BYTES = 6;

static DWORD CopyCommand(const char* text) {
    size_t length = strlen(text);
    if (length >= sizeof commandBuffer) length = sizeof commandBuffer - 1;
    memcpy(commandBuffer, text, length);
    commandBuffer[length] = 0;
    return (DWORD)length;
}

// The text without terminator, then one carriage return of its own.
static bool WriteCommand(const char* text) {
    DWORD length = CopyCommand(text);
    WriteBytes(commandBuffer, length);
    return WriteCarriageReturn();
}

int SendCommand(const char* text, SendMode mode) {
    bool crWritten = WriteCommand(text);
    if (mode == SEND_ACK_IF_CR_WRITTEN && !crWritten) return 0;
    memset(ackBuffer, 0, ACK_BYTES);
    ReadBytes(ackBuffer, ACK_BYTES);
    if (mode != SEND_NO_PAUSE) Sleep(EXCHANGE_PAUSE_MS);
    return crWritten ? 1 : 0;
}

int SendGroupMask(ButtonGroup group, int mask) {
    char command[LINK_BUFFER_SIZE];
    FormatGroupCommand(command, sizeof command, group, mask);
    return SendCommand(command);
}

// The first four characters of what the value read brought.
static int ParseReply(void) {
    commandBuffer[REPLY_DIGITS] = 0;
    return ParseHexValue(commandBuffer, REPLY_DIGITS);
}

int QueryValue(const char* text) {
    WriteCommand(text);
    ReadBytes(commandBuffer, ACK_BYTES);  // the query's acknowledgement, overwritten below
    Sleep(EXCHANGE_PAUSE_MS);
    memset(commandBuffer, 0, VALUE_BYTES);
    ReadBytes(commandBuffer, VALUE_BYTES);
    int value = ParseReply();
    Sleep(EXCHANGE_PAUSE_MS);
    return value;
}

// What earlier answers left pending goes first, however much a pad sent: a
// single read of 64 bytes cannot take a flood, and what it left would pass
// for the next exchange's answer.
void DrainInput(void) {
    if (portHandle != INVALID_HANDLE_VALUE) PurgeComm(portHandle, PURGE_RXCLEAR);
    WriteCarriageReturn();
    ReadBytes(commandBuffer, sizeof commandBuffer);
    Sleep(EXCHANGE_PAUSE_MS);
}

bool AckOk(void) { return ackBuffer[0] == 'O' && ackBuffer[1] == 'K'; }

// Sent messages only (another program asking whether the window is alive):
// nothing posted, no input, is handled in the middle of an action.
void AnswerSentMessages(void) {
    MSG message;
    PeekMessageA(&message, NULL, 0, 0, PM_NOREMOVE);
}

// Up to count bytes within totalMs, as one read would take them, but in
// slices, so that the window answers between them.
static DWORD ReadInSlices(BYTE* buffer, DWORD count, DWORD totalMs) {
    DWORD got = 0;
    DWORD start = GetTickCount();
    for (DWORD waited = 0; got < count && waited < totalMs; waited = GetTickCount() - start) {
        DWORD slice = totalMs - waited < WAIT_SLICE_MS ? totalMs - waited : WAIT_SLICE_MS;
        if (!SetReadTimeouts(RESTART_WAIT_MS, slice)) break;  // the link has gone
        got += ReadBytes(buffer + got, count - got);
        AnswerSentMessages();
    }
    return got;
}

// The restarted pad answers with six bytes; the long wait lets them come, and
// the usual time-outs are back before anything else runs.
int AwaitRestartReply(void) {
    memset(commandBuffer, 0, VALUE_BYTES);
    ReadInSlices((BYTE*)commandBuffer, VALUE_BYTES, RESTART_WAIT_MS);
    SetReadTimeouts(READ_INTERVAL_MS, READ_TOTAL_MS);
    int value = ParseReply();
    Sleep(EXCHANGE_PAUSE_MS);
    return value;
}
