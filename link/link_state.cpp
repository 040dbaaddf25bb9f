// The link's process-wide state and buffers.
#include "serial_link.h"

int LinkState = LINK_CLOSED;
HANDLE portHandle = INVALID_HANDLE_VALUE;
BYTE ackBuffer[LINK_BUFFER_SIZE];
BYTE crByte;
char commandBuffer[LINK_BUFFER_SIZE];
void (*watchLinkPort)(HANDLE port);
