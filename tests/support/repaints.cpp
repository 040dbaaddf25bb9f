#include "repaints.h"

#include <vector>

#include "api_hook.h"

extern "C" void* __imp_InvalidateRect;

namespace {

struct Invalidation {
    HWND window;
    bool wholeArea;
    BOOL erase;
};
std::vector<Invalidation> invalidations;
BOOL(WINAPI* realInvalidateRect)(HWND, const RECT*, BOOL);

BOOL WINAPI RecordInvalidateRect(HWND window, const RECT* rect, BOOL erase) {
    invalidations.push_back({window, rect == NULL, erase});
    return realInvalidateRect(window, rect, erase);
}

}  // namespace

void StartRecordingInvalidations(void) {
    invalidations.clear();
    if (!realInvalidateRect)
        realInvalidateRect =
            (BOOL(WINAPI*)(HWND, const RECT*, BOOL))PatchImport(&__imp_InvalidateRect, (void*)RecordInvalidateRect);
}

int WholeDialogInvalidations(HWND dialog) {
    int count = 0;
    for (const Invalidation& call : invalidations) {
        if (call.window != dialog) continue;
        if (!call.wholeArea || call.erase) return -1;
        count++;
    }
    return count;
}
