// The link's process-wide state and buffers.
#include "serial_link.h"

int LinkState = LINK_CLOSED;
SerialPort* linkPort;
unsigned char ackBuffer[LINK_BUFFER_SIZE];
unsigned char crByte;
char commandBuffer[LINK_BUFFER_SIZE];
void (*watchLinkPort)(SerialPort* port);
