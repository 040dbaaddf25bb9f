// Serial ports of Bluetooth links, whichever stack made them.
#ifndef PADCONFIG_BLUETOOTH_PORTS_H
#define PADCONFIG_BLUETOOTH_PORTS_H

#include "../port_names.h"

// Fills numbers with the COM port numbers of the serial devices present that
// Windows' Bluetooth enumerator made (instance ID BTHENUM\...); returns how
// many. The port map names only Microsoft's own stack's (\Device\BthModem).
int ListBluetoothPorts(int numbers[PORT_NUMBER_MAX]);

#endif
