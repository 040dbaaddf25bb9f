#include "write_all.h"

#include <unistd.h>

#include <cerrno>

int WriteAll(int fd, const char* bytes, size_t length) {
    for (size_t done = 0; done < length;) {
        ssize_t written = write(fd, bytes + done, length - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return written < 0 ? errno : ENOSPC;
        done += (size_t)written;
    }
    return 0;
}
