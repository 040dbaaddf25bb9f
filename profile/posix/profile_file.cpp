// Profile files on Linux and macOS. A save goes to a temporary file beside
// the target, made durable, renamed over it, and the folder's entry made
// durable too: after a crash or a power cut the file is the old one or the
// new one, whole.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "../../texts/wide_text.h"
#include "../profile.h"

constexpr size_t NAME_SIZE = 4096;

// The folder part of a path: "." when it has none, "/" for the root's files.
static void FolderOf(const char* path, char folder[NAME_SIZE]) {
    const char* slash = strrchr(path, '/');
    if (!slash) return (void)strcpy(folder, ".");
    size_t length = slash == path ? 1 : (size_t)(slash - path);
    memcpy(folder, path, length);
    folder[length] = 0;
}

static unsigned long WriteAll(int file, const char* text, size_t length) {
    for (size_t done = 0; done < length;) {
        ssize_t written = write(file, text + done, length - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return written < 0 ? (unsigned long)errno : ENOSPC;
        done += (size_t)written;
    }
    return fsync(file) == 0 ? 0 : (unsigned long)errno;
}

// A new file gets the mode any new file gets here (0666 less the umask),
// not the temporary file's 0600.
static void UsualMode(int file) {
    mode_t mask = umask(0);
    umask(mask);
    fchmod(file, 0666 & ~mask);
}

static unsigned long SyncFolder(const char* folder) {
    int handle = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) return (unsigned long)errno;
    unsigned long error = fsync(handle) == 0 || errno == EINVAL ? 0 : (unsigned long)errno;  // some file systems cannot
    close(handle);
    return error;
}

unsigned long WriteProfileFile(const wchar_t* path, const char* text, size_t length) {
    char name[NAME_SIZE], folder[NAME_SIZE], temporary[NAME_SIZE + 16];
    if (!NarrowWide(path, name, sizeof name)) return ENAMETOOLONG;
    FolderOf(name, folder);
    snprintf(temporary, sizeof temporary, "%s/.padprofile-XXXXXX", folder);
    int file = mkstemp(temporary);
    if (file < 0) return (unsigned long)errno;
    UsualMode(file);
    unsigned long error = WriteAll(file, text, length);
    if (close(file) != 0 && !error) error = (unsigned long)errno;
    if (!error && rename(temporary, name) != 0) error = (unsigned long)errno;
    if (error) {
        unlink(temporary);
        return error;
    }
    return SyncFolder(folder);
}

// A read may bring fewer bytes than asked for: it is repeated to the end.
unsigned long ReadProfileFile(const wchar_t* path, char* buffer, size_t size, size_t* got) {
    char name[NAME_SIZE];
    *got = 0;
    if (!NarrowWide(path, name, sizeof name)) return ENAMETOOLONG;
    int file = open(name, O_RDONLY | O_CLOEXEC);
    if (file < 0) return (unsigned long)errno;
    unsigned long error = 0;
    while (*got < size) {
        ssize_t read = ::read(file, buffer + *got, size - *got);
        if (read < 0 && errno == EINTR) continue;
        if (read < 0) error = (unsigned long)errno;
        if (read <= 0) break;
        *got += (size_t)read;
    }
    close(file);
    return error;
}
