// The Windows handle of an open port, for a window that watches its device.
#ifndef PADCONFIG_PORT_HANDLE_H
#define PADCONFIG_PORT_HANDLE_H

#include <windows.h>

#include "../serial_port.h"

HANDLE HandleOfPort(SerialPort* port);

#endif
