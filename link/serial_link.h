// The one serial link to the pad: its state, buffers and exchanges.
#ifndef PADCONFIG_SERIAL_LINK_H
#define PADCONFIG_SERIAL_LINK_H

#include "protocol.h"
#include "serial_port.h"

enum { LINK_CLOSED = 0, LINK_OPEN = 1, LINK_FAILED = 2 };

constexpr int LINK_BUFFER_SIZE = 64;
constexpr unsigned char CARRIAGE_RETURN = 0x0D;

// Line time-outs, in milliseconds.
constexpr unsigned READ_INTERVAL_MS = 300;
constexpr unsigned READ_TOTAL_MS = 500;
constexpr unsigned WRITE_TOTAL_MS = 500;
constexpr unsigned RESTART_WAIT_MS = 25000;
// The longest the window goes without answering, within the restart wait.
constexpr unsigned WAIT_SLICE_MS = 500;
// Pauses, in milliseconds.
constexpr unsigned HANDSHAKE_PAUSE_MS = 100;
constexpr unsigned EXCHANGE_PAUSE_MS = 15;

// Back to LINK_CLOSED when the port goes away during an exchange.
extern int LinkState;
extern SerialPort* linkPort;  // null while the link holds no port
extern unsigned char ackBuffer[LINK_BUFFER_SIZE];
extern unsigned char crByte;
extern char commandBuffer[LINK_BUFFER_SIZE];

// Sets the read time-outs of the link's port (the write one never changes).
bool SetReadTimeouts(unsigned intervalMs, unsigned totalMs);

// Opens the port by its system's name (serial_port.h) and handshakes; the
// link is open only when ready. giveBack: a port where the handshake gets no
// answer is given back (below).
OpenResult OpenPortLink(const char* name, bool giveBack = false);
// Closes the port if the link holds one; safe to call any number of times.
void CloseLink(void);
// Closes the link after setting the port back to the line and time-outs it
// had when opened: a device that is not the pad is left as it was found.
void GiveBackPort(void);
// Told the port when the link opens, and null just before it closes, so
// that a window can watch the device; null: nobody does.
extern void (*watchLinkPort)(SerialPort* port);

// How SendCommand ends.
enum SendMode {
    SEND_AND_PAUSE,         // acknowledgement read, then the exchange pause
    SEND_NO_PAUSE,          // acknowledgement read, no pause ("Ini_Disp")
    SEND_ACK_IF_CR_WRITTEN  // ack read and pause only after a written carriage return
};
// Returns 1 when the carriage return was written.
int SendCommand(const char* text, SendMode mode = SEND_AND_PAUSE);
// Sends "buttom_<group>=<mask>"; returns as SendCommand does.
int SendGroupMask(ButtonGroup group, int mask);
// The parsed value of the reply, or NO_VALUE when none arrived.
int QueryValue(const char* text);
void DrainInput(void);
// The acknowledgement of the last command began with "OK".
bool AckOk(void);
// After "reboot": the pad's button count, or NO_VALUE when it never answered.
int AwaitRestartReply(void);

// What answered the handshake is the pad, ready: after a drain, the probe
// gives 255.
bool PadIsReady(void);
// Reads the pad's count, direction and masks, in the order the pad answers
// them; false when it failed the probe or a reply never came, with the fields
// not reached left NO_VALUE. A read that ends well sends "Ini_Disp".
bool ReadPadSettings(PadSettings* settings);

enum RestartResult { RESTARTED, COUNT_REFUSED, RESTART_FAILED, RESTART_LINK_LOST };
// Sends the count, then "reboot", and waits for the pad to come back with it.
RestartResult RestartPad(int count);
// After a restart, as the dialog does it: the read, release all, "Ini_Disp";
// returns what the read returned.
bool ReadRestartedPad(PadSettings* settings);

#endif
