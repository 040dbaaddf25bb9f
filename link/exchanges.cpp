// The exchanges of the pad's protocol over the open link. Every decision rests
// only on bytes that the exchange itself received: what a read may fill is
// cleared before it reads, so an earlier reply can never pass for this one.
#include <cstring>

#include "clock.h"
#include "interruption.h"
#include "port_io.h"
#include "protocol.h"
#include "serial_link.h"

constexpr int ACK_BYTES = 4;
constexpr int VALUE_BYTES = 6;

static int CopyCommand(const char* text) {
    size_t length = strlen(text);
    if (length >= sizeof commandBuffer) length = sizeof commandBuffer - 1;
    memcpy(commandBuffer, text, length);
    commandBuffer[length] = 0;
    return (int)length;
}

// The text without terminator, then one carriage return of its own.
static bool WriteCommand(const char* text) {
    int length = CopyCommand(text);
    WriteBytes(commandBuffer, length);
    return WriteCarriageReturn();
}

int SendCommand(const char* text, SendMode mode) {
    if (LinkInterrupted()) {  // no exchange starts, and nothing is acknowledged
        memset(ackBuffer, 0, ACK_BYTES);
        return 0;
    }
    bool crWritten = WriteCommand(text);
    if (mode == SEND_ACK_IF_CR_WRITTEN && !crWritten) return 0;
    memset(ackBuffer, 0, ACK_BYTES);
    ReadBytes(ackBuffer, ACK_BYTES);
    if (mode != SEND_NO_PAUSE) PauseMs(EXCHANGE_PAUSE_MS);
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
    if (LinkInterrupted()) return NO_VALUE;
    WriteCommand(text);
    ReadBytes(commandBuffer, ACK_BYTES);  // the query's acknowledgement, overwritten below
    PauseMs(EXCHANGE_PAUSE_MS);
    memset(commandBuffer, 0, VALUE_BYTES);
    ReadBytes(commandBuffer, VALUE_BYTES);
    int value = ParseReply();
    PauseMs(EXCHANGE_PAUSE_MS);
    return value;
}

// What earlier answers left pending goes first, however much a pad sent: a
// single read of 64 bytes cannot take a flood, and what it left would pass
// for the next exchange's answer.
void DrainInput(void) {
    if (LinkInterrupted()) return;
    if (linkPort) PurgeSerialInput(linkPort);
    WriteCarriageReturn();
    ReadBytes(commandBuffer, sizeof commandBuffer);
    PauseMs(EXCHANGE_PAUSE_MS);
}

bool AckOk(void) { return ackBuffer[0] == 'O' && ackBuffer[1] == 'K'; }

// Up to count bytes within totalMs, as one read would take them, but in
// slices, so that the window answers between them.
static int ReadInSlices(unsigned char* buffer, int count, unsigned totalMs) {
    int got = 0;
    double start = ClockMs();
    for (unsigned waited = 0; got < count && waited < totalMs; waited = (unsigned)(ClockMs() - start)) {
        if (LinkInterrupted()) break;
        unsigned slice = totalMs - waited < WAIT_SLICE_MS ? totalMs - waited : WAIT_SLICE_MS;
        if (!SetReadTimeouts(RESTART_WAIT_MS, slice)) break;  // the link has gone
        got += ReadBytes(buffer + got, count - got);
        AnswerWhileWaiting();
    }
    return got;
}

// The restarted pad answers with six bytes; the long wait lets them come, and
// the usual time-outs are back before anything else runs.
int AwaitRestartReply(void) {
    memset(commandBuffer, 0, VALUE_BYTES);
    ReadInSlices((unsigned char*)commandBuffer, VALUE_BYTES, RESTART_WAIT_MS);
    SetReadTimeouts(READ_INTERVAL_MS, READ_TOTAL_MS);
    int value = ParseReply();
    PauseMs(EXCHANGE_PAUSE_MS);
    return value;
}
