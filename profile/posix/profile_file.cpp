// Profile files on Linux and macOS. A save goes to a temporary file beside
// the target, made durable, renamed over it, and the folder's entry made
// durable too: after a crash or a power cut the file is the old one or the
// new one, whole.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "../../link/posix/write_all.h"
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

// On macOS fsync leaves the bytes in the drive's cache, where a power cut
// loses them; F_FULLFSYNC empties it, where the file system takes it.
static int SyncToDisk(int file) {
#if defined(__APPLE__) && defined(F_FULLFSYNC)
    if (fcntl(file, F_FULLFSYNC) == 0) return 0;
#endif
    return fsync(file);
}

static unsigned long WriteDurably(int file, const char* text, size_t length) {
    int error = WriteAll(file, text, length);
    if (error) return (unsigned long)error;
    return SyncToDisk(file) == 0 ? 0 : (unsigned long)errno;
}

// The file keeps its mode; a new one gets the mode any new file gets here
// (0666 less the umask), not the temporary file's 0600.
static void KeepMode(int file, const char* path) {
    struct stat old;
    mode_t mask = umask(0);
    umask(mask);
    fchmod(file, stat(path, &old) == 0 ? old.st_mode & 07777 : 0666 & ~mask);
}

static unsigned long SyncFolder(const char* folder) {
    int handle = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) return (unsigned long)errno;
    unsigned long error = SyncToDisk(handle) == 0 || errno == EINVAL ? 0 : (unsigned long)errno;  // some file systems cannot
    close(handle);
    return error;
}

// The file a save replaces: the path's own, or through links the regular
// file they name; a new one where nothing is. A FIFO, a device or a folder
// is not replaced by a file, nor is a link that names nothing (the file it
// would name could be anywhere): refused, and left as it is.
static unsigned long SaveTarget(const char* given, char name[PATH_MAX]) {
    struct stat entry;
    if (lstat(given, &entry) != 0) return snprintf(name, PATH_MAX, "%s", given), 0;  // nothing there, or its folder says why
    if (!realpath(given, name) || stat(name, &entry) != 0) return (unsigned long)errno;
    if (S_ISDIR(entry.st_mode)) return EISDIR;
    return S_ISREG(entry.st_mode) ? 0 : EINVAL;
}

unsigned long WriteProfileFile(const wchar_t* path, const char* text, size_t length) {
    char given[NAME_SIZE], name[PATH_MAX], folder[NAME_SIZE], temporary[NAME_SIZE + 16];
    if (!NarrowWide(path, given, sizeof given)) return ENAMETOOLONG;
    unsigned long refused = SaveTarget(given, name);
    if (refused) return refused;
    FolderOf(name, folder);
    snprintf(temporary, sizeof temporary, "%s/.padprofile-XXXXXX", folder);
    int file = mkstemp(temporary);
    if (file < 0) return (unsigned long)errno;
    KeepMode(file, name);
    unsigned long error = WriteDurably(file, text, length);
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
