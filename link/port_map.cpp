// HKLM\HARDWARE\DEVICEMAP\SERIALCOMM names each serial device's COM port;
// Windows lists the devices present, Wine every port it maps.
#include "port_map.h"

#include <windows.h>

#include <cstring>

static void AddNumber(int numbers[], int* count, int number) {
    int at = 0;
    while (at < *count && numbers[at] < number) at++;
    if (at < *count && numbers[at] == number) return;
    memmove(numbers + at + 1, numbers + at, (*count - at) * sizeof numbers[0]);
    numbers[at] = number;
    (*count)++;
}

int ReadPortMap(int numbers[PORT_NUMBER_MAX]) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    int count = 0;
    for (DWORD index = 0; count < PORT_NUMBER_MAX; index++) {
        char name[256], data[32];
        DWORD nameSize = sizeof name, dataSize = sizeof data - 1, type;
        LONG result = RegEnumValueA(key, index, name, &nameSize, NULL, &type, (BYTE*)data, &dataSize);
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result != ERROR_SUCCESS || type != REG_SZ) continue;
        data[dataSize] = 0;
        int number = PortNumberOfText(data, strlen(data));
        if (number > 0) AddNumber(numbers, &count, number);
    }
    RegCloseKey(key);
    return count;
}
