// HKLM\HARDWARE\DEVICEMAP\SERIALCOMM names each serial device's COM port;
// Windows lists the devices present, Wine every port it maps.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "../search_ports.h"
#include "bluetooth_ports.h"
#include "port_map.h"

static void AddNumber(int numbers[], int* count, int number) {
    int at = 0;
    while (at < *count && numbers[at] < number) at++;
    if (at < *count && numbers[at] == number) return;
    memmove(numbers + at + 1, numbers + at, (*count - at) * sizeof numbers[0]);
    numbers[at] = number;
    (*count)++;
}

// Entry index of the map: the device's name (the value's name) and its port's
// number, 0 when it names none. False after the last entry.
static bool ReadMapEntry(HKEY map, DWORD index, char device[256], int* number) {
    char data[32];
    DWORD nameSize = 256, dataSize = sizeof data - 1, type;
    LONG result = RegEnumValueA(map, index, device, &nameSize, NULL, &type, (BYTE*)data, &dataSize);
    *number = 0;
    if (result == ERROR_NO_MORE_ITEMS) return false;
    if (result != ERROR_SUCCESS || type != REG_SZ) return true;
    data[dataSize] = 0;
    *number = PortNumberOfText(data, strlen(data));
    return true;
}

static HKEY OpenPortMap(void) {
    HKEY map;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &map) != ERROR_SUCCESS)
        return NULL;
    return map;
}

// Microsoft's stack names its links so in the map; any stack's device is
// also told by its enumerator (bluetooth_ports.h).
static bool IsBluetoothLink(const char* device, int number, const int links[], int linkCount) {
    static const char bluetooth[] = "\\Device\\BthModem";
    for (int i = 0; i < linkCount; i++)
        if (links[i] == number) return true;
    return _strnicmp(device, bluetooth, sizeof bluetooth - 1) == 0;
}

int ReadPortMap(int numbers[PORT_NUMBER_MAX], bool searchable) {
    int links[PORT_NUMBER_MAX], linkCount = searchable ? ListBluetoothPorts(links) : 0;
    HKEY map = OpenPortMap();
    int count = 0, number;
    char device[256];
    for (DWORD index = 0; map && count < PORT_NUMBER_MAX && ReadMapEntry(map, index, device, &number); index++)
        if (number > 0 && !(searchable && IsBluetoothLink(device, number, links, linkCount)))
            AddNumber(numbers, &count, number);
    if (map) RegCloseKey(map);
    return count;
}

void ListSearchPorts(PortList* list) {
    int numbers[PORT_NUMBER_MAX];
    list->count = ReadPortMap(numbers, true);
    for (int i = 0; i < list->count; i++) snprintf(list->names[i], PORT_PATH_SIZE, "COM%d", numbers[i]);
}
