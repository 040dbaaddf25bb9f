// A Bluetooth serial link's device, whoever's stack runs it, is one that
// Windows' Bluetooth enumerator made: its instance ID starts with BTHENUM\.
#include <windows.h>
#include <setupapi.h>

#include <cstring>

#include "bluetooth_ports.h"

static const GUID portsClass = {0x4d36e978, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

static bool MadeByBluetooth(HDEVINFO devices, SP_DEVINFO_DATA* device) {
    static const char enumerator[] = "BTHENUM\\";
    char id[512];
    return SetupDiGetDeviceInstanceIdA(devices, device, id, sizeof id, NULL) &&
           _strnicmp(id, enumerator, sizeof enumerator - 1) == 0;
}

// The COM port the device's key names; 0 when none.
static int PortOfDevice(HDEVINFO devices, SP_DEVINFO_DATA* device) {
    HKEY key = SetupDiOpenDevRegKey(devices, device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) return 0;
    char name[32];
    DWORD size = sizeof name - 1, type;
    LONG result = RegQueryValueExA(key, "PortName", NULL, &type, (BYTE*)name, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ) return 0;
    name[size] = 0;
    return PortNumberOfText(name, strlen(name));
}

int ListBluetoothPorts(int numbers[PORT_NUMBER_MAX]) {
    HDEVINFO devices = SetupDiGetClassDevsA(&portsClass, NULL, NULL, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE) return 0;
    SP_DEVINFO_DATA device = {sizeof device, {}, 0, 0};
    int count = 0;
    for (DWORD index = 0; count < PORT_NUMBER_MAX && SetupDiEnumDeviceInfo(devices, index, &device); index++) {
        int number = MadeByBluetooth(devices, &device) ? PortOfDevice(devices, &device) : 0;
        if (number > 0) numbers[count++] = number;
    }
    SetupDiDestroyDeviceInfoList(devices);
    return count;
}
