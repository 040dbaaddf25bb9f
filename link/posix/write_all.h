// Every byte to a file descriptor, as POSIX write() may take fewer or be
// interrupted: for the console, the transcript and profiles alike.
#ifndef PADCONFIG_WRITE_ALL_H
#define PADCONFIG_WRITE_ALL_H

#include <cstddef>

// 0, or the error (ENOSPC when the file took no more).
int WriteAll(int fd, const char* bytes, size_t length);

#endif
