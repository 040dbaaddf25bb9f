// The lock files by which minicom, screen, cu and the other programs of the
// UUCP tradition mark a serial device as theirs: LCK.. and the device's name
// in the lock folder, holding the holder's process id. Those programs take
// neither flock nor TIOCEXCL: the link honours their files, and leaves one
// of its own for them to honour.
#ifndef PADCONFIG_PORT_LOCK_H
#define PADCONFIG_PORT_LOCK_H

constexpr int LOCK_PATH_SIZE = 4096;

// The lock file this process made for a device; an empty path when none.
struct PortLock {
    char path[LOCK_PATH_SIZE];
};

// False when a running process holds the device's lock file. Otherwise true,
// with a lock file of this process's own where the lock folder lets it make
// one; a file whose holder has ended is no one's, and goes first.
bool LockPort(const char* device, PortLock* lock);
// Removes the lock file this process made, if it made one.
void UnlockPort(PortLock* lock);
// The same from a signal handler, for a run that ends at once.
void UnlockPortAtOnce(const PortLock* lock);

#endif
