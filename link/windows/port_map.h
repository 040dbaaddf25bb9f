// The system's serial device map: which COM ports the machine has.
#ifndef PADCONFIG_PORT_MAP_H
#define PADCONFIG_PORT_MAP_H

#include "../port_names.h"

// Fills numbers with the COM port numbers the map lists, ascending, each once;
// returns how many (0 when there is no map). A search leaves out (searchable)
// the ports whose device is a Bluetooth serial link ("Standard Serial over
// Bluetooth link"): opening one blocks for seconds while Windows tries to
// connect. The user can still choose or type them.
int ReadPortMap(int numbers[PORT_NUMBER_MAX], bool searchable = false);

#endif
