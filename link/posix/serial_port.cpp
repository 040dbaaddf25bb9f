// Serial devices on Linux and macOS: a path opened raw, kept to this process
// with TIOCEXCL, an advisory lock and a lock file, and read with the same
// interval and total time-outs that Windows gives its ports.
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/select.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstring>

#include "../../texts/wide_text.h"
#include "../clock.h"
#include "../serial_link.h"
#include "port_lock.h"

struct SerialPort {
    int fd;
    bool claimed;         // TIOCEXCL is this opening's to clear
    termios found;        // the line as this opening found it
    unsigned intervalMs, totalMs;
    bool gone;
    PortLock lock;        // the lock file this opening made
};

// How a device that has gone answers: unplugged (EIO, ENXIO, ENODEV), or a
// pseudo-terminal whose other end closed (EIO).
static bool DeviceGone(int error) { return error == EIO || error == ENXIO || error == ENODEV || error == EBADF; }

static OpenResult OpenFailure(int error) {
    if (error == EACCES || error == EPERM) return PORT_DENIED;
    return error == EBUSY ? PORT_IN_USE : PORT_UNUSABLE;  // EBUSY: another opener set TIOCEXCL
}

// Raw bytes at 9600 baud, 8N1: no flow control of either kind, the modem
// lines ignored, nothing added, dropped or translated.
static void ApplyLineSettings(termios* line) {
    cfmakeraw(line);
    line->c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS | HUPCL);
    line->c_cflag |= CS8 | CREAD | CLOCAL;
    line->c_iflag &= ~(IXON | IXOFF | IXANY | INPCK | ISTRIP);
    line->c_cc[VMIN] = 0;
    line->c_cc[VTIME] = 0;
    cfsetispeed(line, B9600);
    cfsetospeed(line, B9600);
}

// The pad reads DTR and RTS as nothing; a pseudo-terminal has neither line.
static void LowerModemLines(int fd) {
    int lines = TIOCM_DTR | TIOCM_RTS;
    ioctl(fd, TIOCMBIC, &lines);
}

static OpenResult Configure(SerialPort* port) {
    if (tcgetattr(port->fd, &port->found) != 0) return PORT_UNUSABLE;  // no terminal
    termios line = port->found;
    ApplyLineSettings(&line);
    if (tcsetattr(port->fd, TCSANOW, &line) != 0) {
        tcsetattr(port->fd, TCSANOW, &port->found);
        return PORT_UNUSABLE;
    }
    LowerModemLines(port->fd);
    return PORT_READY;
}

static volatile sig_atomic_t claimedDevice = -1;  // for DropClaimAtOnce
static PortLock* volatile claimedLock;             // likewise

// The lock keeps out other runs of this tool even as root, whom TIOCEXCL
// does not stop; TIOCEXCL keeps out every other opener that is not root. A
// device whose file system takes no locks still gets TIOCEXCL.
static OpenResult Claim(SerialPort* port) {
    if (flock(port->fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) return PORT_IN_USE;
    port->claimed = ioctl(port->fd, TIOCEXCL) == 0;
    if (port->claimed) claimedDevice = port->fd;
    return PORT_READY;
}

static void Release(SerialPort* port) {
    if (port->fd >= 0) {
        if (port->claimed) claimedDevice = -1, ioctl(port->fd, TIOCNXCL);
        close(port->fd);
    }
    if (claimedLock == &port->lock) claimedLock = nullptr;
    UnlockPort(&port->lock);
    delete port;
}

#ifdef __APPLE__
// select(), whose sets end at FD_SETSIZE: macOS's poll() does not take devices.
static bool Watchable(int fd) { return fd < FD_SETSIZE; }

static int AwaitDevice(int fd, bool forWriting, double ms) {
    fd_set watched;
    FD_ZERO(&watched);
    FD_SET(fd, &watched);
    long micro = ms > 0 ? (long)(ms * 1000) : 0;
    timeval wait = {micro / 1000000, micro % 1000000};
    return select(fd + 1, forWriting ? nullptr : &watched, forWriting ? &watched : nullptr, nullptr, &wait);
}
#else
static bool Watchable(int) { return true; }

// A device that hung up (POLLHUP, POLLERR) reads as ready: its read or write
// then tells.
static int AwaitDevice(int fd, bool forWriting, double ms) {
    pollfd watched = {fd, (short)(forWriting ? POLLOUT : POLLIN), 0};
    int result = poll(&watched, 1, ms > 0 ? (int)std::ceil(ms) : 0);
    if (result > 0 && (watched.revents & POLLNVAL)) return errno = EBADF, -1;
    return result;
}
#endif

// A claimed device is opened only when no running program holds its lock file.
static OpenResult OpenDevice(SerialPort* port, const char* name, bool claimed) {
    if (claimed && !LockPort(name, &port->lock)) return PORT_IN_USE;
    if (claimed) claimedLock = &port->lock;
    port->fd = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (port->fd < 0) return OpenFailure(errno);
    if (!Watchable(port->fd)) return PORT_UNUSABLE;
    return claimed ? Claim(port) : PORT_READY;
}

SerialPort* OpenSerialPort(const char* name, bool claimed, OpenResult* result) {
    SerialPort* port = new SerialPort{-1, false, {}, READ_INTERVAL_MS, READ_TOTAL_MS, false, {}};
    *result = OpenDevice(port, name, claimed);
    if (*result == PORT_READY) *result = Configure(port);
    if (*result == PORT_READY) return port;
    Release(port);
    return nullptr;
}

void GiveBackSerialPort(SerialPort* port) {
    if (!port) return;
    tcsetattr(port->fd, TCSANOW, &port->found);
    Release(port);
}

void CloseSerialPort(SerialPort* port) {
    if (port) Release(port);
}

void DropClaimAtOnce(void) {
    if (claimedDevice >= 0) ioctl(claimedDevice, TIOCNXCL);
    if (claimedLock) UnlockPortAtOnce(claimedLock);
}

bool SetSerialTimeouts(SerialPort* port, unsigned intervalMs, unsigned totalMs) {
    if (!port || port->gone) return false;
    port->intervalMs = intervalMs;
    port->totalMs = totalMs;
    return true;
}

bool SerialDeviceGone(SerialPort* port) { return port->gone; }

// Waits up to ms for the port to be readable (or, forWriting, writable);
// false when it is not. A device that hung up reads as readable.
static bool Await(SerialPort* port, bool forWriting, double ms) {
    int result = AwaitDevice(port->fd, forWriting, ms);
    if (result < 0 && errno != EINTR) port->gone = DeviceGone(errno);
    return result > 0;
}

// One read of a port that Await found readable: nothing at all there
// (end of file) or a device's error is the end of the device.
static int TakeBytes(SerialPort* port, unsigned char* buffer, int count) {
    ssize_t got = read(port->fd, buffer, (size_t)count);
    if (got > 0) return (int)got;
    if (got == 0 || (errno != EAGAIN && errno != EINTR && DeviceGone(errno))) port->gone = true;
    return 0;
}

// Up to count bytes: the read ends intervalMs after the last byte came, or
// totalMs after it began, as a Windows port's time-outs end it.
int ReadSerialPort(SerialPort* port, void* buffer, int count) {
    unsigned char* bytes = (unsigned char*)buffer;
    int got = 0;
    double start = ClockMs(), last = 0;
    while (got < count && !port->gone) {
        double now = ClockMs(), left = port->totalMs - (now - start);
        if (got > 0 && port->intervalMs - (now - last) < left) left = port->intervalMs - (now - last);
        if (left <= 0) break;
        if (!Await(port, false, left)) continue;
        int taken = TakeBytes(port, bytes + got, count - got);
        if (taken > 0) got += taken, last = ClockMs();
    }
    return got;
}

int PollSerialPort(SerialPort* port, void* buffer, int count, unsigned waitMs) {
    if (port->gone || !Await(port, false, waitMs)) return 0;
    return TakeBytes(port, (unsigned char*)buffer, count);
}

int WriteSerialPort(SerialPort* port, const void* data, int count) {
    const unsigned char* bytes = (const unsigned char*)data;
    int written = 0;
    double start = ClockMs();
    while (written < count && !port->gone) {
        ssize_t done = write(port->fd, bytes + written, (size_t)(count - written));
        if (done > 0) {
            written += (int)done;
            continue;
        }
        if (done < 0 && errno != EAGAIN && errno != EINTR) {
            port->gone = DeviceGone(errno);
            break;
        }
        double left = WRITE_TOTAL_MS - (ClockMs() - start);
        if (left <= 0 || (!Await(port, true, left) && port->gone)) break;
    }
    return written;
}

void PurgeSerialInput(SerialPort* port) { tcflush(port->fd, TCIFLUSH); }

bool PortNameOfWord(const wchar_t* word, char* name, int size) {
    return *word && NarrowWide(word, name, (size_t)size);
}

// Only a group that may read and write the device is worth joining.
bool GroupOfPort(const char* name, char* group, int size) {
    struct stat status;
    if (stat(name, &status) != 0 || (status.st_mode & 060) != 060) return false;
    struct group* owner = getgrgid(status.st_gid);
    if (!owner || (int)strlen(owner->gr_name) >= size) return false;
    strcpy(group, owner->gr_name);
    return true;
}
