// The link's process-wide state and buffers.
#include "serial_link.h"

int LinkState = LINK_CLOSED;
HANDLE portHandle = INVALID_HANDLE_VALUE;
int portRows = PORT_COUNT;
char portNames[PORT_ROWS_MAX][PORT_NAME_SIZE] = {"COM1", "COM2", "COM3", "COM4", "COM5",
                                              "COM6", "COM7", "COM8", "COM9", "COM10"};
BYTE ackBuffer[LINK_BUFFER_SIZE];
BYTE crByte;
char commandBuffer[LINK_BUFFER_SIZE];
