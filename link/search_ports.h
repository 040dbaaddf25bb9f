// The ports a search for the pad tries, in order, from each system's own
// list of serial devices.
#ifndef PADCONFIG_SEARCH_PORTS_H
#define PADCONFIG_SEARCH_PORTS_H

#include "serial_port.h"

constexpr int PORT_LIST_MAX = 256;

struct PortList {
    int count;
    char names[PORT_LIST_MAX][PORT_PATH_SIZE];
};

// Windows: the serial device map's COM ports, ascending, Bluetooth links left
// out. Linux: /dev/ttyACM*, then /dev/ttyUSB*; macOS: /dev/cu.usbmodem*, then
// /dev/cu.usbserial*; each in number order.
void ListSearchPorts(PortList* list);

#endif
