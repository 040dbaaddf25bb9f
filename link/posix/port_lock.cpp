// Lock files as FHS 3.0 (5.9) and UUCP write them: the holder's process id in
// ten ASCII characters, right-aligned, and a line break, in /var/lock (or
// /run/lock where /var/lock is not), or in the folder PADCONFIG_LOCK_DIR names.
#include "port_lock.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "write_all.h"

static const char* LockFolder(void) {
    const char* folder = getenv("PADCONFIG_LOCK_DIR");
    if (folder && *folder) return folder;
    return access("/var/lock", F_OK) == 0 ? "/var/lock" : "/run/lock";
}

// The device's own base name, whatever link (/dev/serial/by-id/...) led to
// it: the name every other program locks it by. False for no device.
static bool LockPath(const char* device, char path[LOCK_PATH_SIZE]) {
    char real[PATH_MAX];
    if (!realpath(device, real)) return false;
    int length = snprintf(path, LOCK_PATH_SIZE, "%s/LCK..%s", LockFolder(), strrchr(real, '/') + 1);
    return length > 0 && length < LOCK_PATH_SIZE;
}

// The process a lock file names; 0 when it names none.
static long HolderOf(const char* path) {
    int file = open(path, O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (file < 0) return 0;
    char text[32];
    ssize_t got = read(file, text, sizeof text - 1);
    close(file);
    text[got > 0 ? got : 0] = 0;
    return strtol(text, nullptr, 10);  // the blanks before the digits skipped
}

// A holder this process may not signal (EPERM) runs all the same. This
// process's own id can only be left by an ended process that had it.
static bool Running(long holder) {
    if (holder <= 0 || holder > INT_MAX || holder == (long)getpid()) return false;
    return kill((pid_t)holder, 0) == 0 || errno == EPERM;
}

// 0, or why the file was not made (EEXIST: it is there); a file that could
// not be written whole is not left behind.
static int MakeLockFile(const char* path) {
    int file = open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (file < 0) return errno;
    char text[16];
    int length = snprintf(text, sizeof text, "%10ld\n", (long)getpid());
    int error = WriteAll(file, text, (size_t)length);
    if (close(file) != 0 && !error) error = errno;
    if (error) unlink(path);
    return error;
}

bool LockPort(const char* device, PortLock* lock) {
    char path[LOCK_PATH_SIZE];
    lock->path[0] = 0;
    if (!LockPath(device, path)) return true;  // opening it will tell what is wrong
    for (int tries = 0; tries < 3; tries++) {
        int error = MakeLockFile(path);
        if (!error) return strcpy(lock->path, path), true;
        if (error != EEXIST || Running(HolderOf(path))) break;
        unlink(path);  // a stale lock: its holder has ended
    }
    return !Running(HolderOf(path));
}

void UnlockPort(PortLock* lock) {
    if (*lock->path && HolderOf(lock->path) == (long)getpid()) unlink(lock->path);
    lock->path[0] = 0;
}

void UnlockPortAtOnce(const PortLock* lock) {
    if (*lock->path) unlink(lock->path);  // nothing else is safe in a handler
}
