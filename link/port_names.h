// Port names as a user types them: "COM" and a number. No Windows types, so
// it also builds natively for the sanitizer runs.
#ifndef PADCONFIG_PORT_NAMES_H
#define PADCONFIG_PORT_NAMES_H

#include <cstddef>

constexpr int PORT_NUMBER_MAX = 256;  // COM1..COM256

// The number of a port name: "COM" (any case) and 1..256 without a leading
// zero, blanks around it ignored. 0 for any other text.
int PortNumberOfText(const char* text, size_t length);

#endif
