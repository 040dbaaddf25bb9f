// The devices a search tries on Linux and macOS: the names that USB modems
// (the pad's own kind, ACM) and USB serial adapters get, in number order.
// PADCONFIG_DEVICES names another folder to search instead of /dev, for
// trying the tool on pseudo-terminals linked under those names.
#include <glob.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "../search_ports.h"

#ifdef __APPLE__
static const char* const patterns[] = {"cu.usbmodem*", "cu.usbserial*"};
#else
static const char* const patterns[] = {"ttyACM*", "ttyUSB*"};
#endif

// ttyACM2 before ttyACM10: names compare by their text before the final
// number, then by that number (its length, then its digits).
static size_t NumberAt(const char* name) {
    size_t end = strlen(name);
    while (end > 0 && name[end - 1] >= '0' && name[end - 1] <= '9') end--;
    return end;
}

static bool Before(const char* a, const char* b) {
    size_t atA = NumberAt(a), atB = NumberAt(b);
    int stem = std::string(a, atA).compare(std::string(b, atB));
    if (stem != 0) return stem < 0;
    size_t lengthA = strlen(a + atA), lengthB = strlen(b + atB);
    return lengthA != lengthB ? lengthA < lengthB : strcmp(a + atA, b + atB) < 0;
}

static void AddMatches(PortList* list, const char* folder, const char* pattern) {
    char path[PORT_PATH_SIZE];
    snprintf(path, sizeof path, "%s/%s", folder, pattern);
    glob_t found;
    if (glob(path, 0, nullptr, &found) != 0) return;
    std::sort(found.gl_pathv, found.gl_pathv + found.gl_pathc, Before);
    for (size_t i = 0; i < found.gl_pathc && list->count < PORT_LIST_MAX; i++)
        if (strlen(found.gl_pathv[i]) < PORT_PATH_SIZE) strcpy(list->names[list->count++], found.gl_pathv[i]);
    globfree(&found);
}

void ListSearchPorts(PortList* list) {
    const char* folder = getenv("PADCONFIG_DEVICES");
    list->count = 0;
    for (const char* pattern : patterns) AddMatches(list, folder && *folder ? folder : "/dev", pattern);
}
