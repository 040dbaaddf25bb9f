#include "api_hook.h"

#include <windows.h>

void* PatchImport(void** slot, void* replacement) {
    DWORD old;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    void* previous = *slot;
    *slot = replacement;
    VirtualProtect(slot, sizeof *slot, old, &old);
    return previous;
}
