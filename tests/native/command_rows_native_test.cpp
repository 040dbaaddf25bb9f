// The command line's rows of the scenario table, run natively: the shipped
// padconfig against the stand-in on pseudo-terminal pairs opened here, with
// a relay between them that can pull the cable. COMn of a row is the device
// ./ttyACMn in the run's folder, where the search looks (PADCONFIG_DEVICES).
// The texts are those of the user's locale (LANG of this test's run).
#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "clock.h"
#include "command_check.h"
#include "expected_texts.h"
#include "pty_pair.h"
#include "serial_link.h"

namespace {

// The Windows table's preconditions that mean something here, and the native
// ones: FILE_0640, an older profile in the file, with that mode; LINKED, in
// the file that a link of the profile's name names; READ_ONLY_FOLDER, in the
// file, in a folder the run may not write; DENIED, a device
// the run may not open (the last two run as another user when this test runs
// as root); HOSTILE, every line setting of the device wrong before the run;
// CLOSED_OUTPUT, the run's standard output closed, CLOSED_OUTPUTS, both
// closed; FIFO_IN_WAY, a FIFO of the profile's name; LINK_TO_NOTHING, a link
// of that name to a file that is not there; LIVE_LOCK and STALE_LOCK, the
// device's lock file held by a running process (this test) or by one that
// has ended; MANY_DESCRIPTORS, the run started with 1,100 open.
enum Pre {
    FRESH, OPEN, STALE_ACK, FOLDER_IN_WAY, FILE_0640, LINKED, READ_ONLY_FOLDER, DENIED, HOSTILE, CLOSED_OUTPUT,
    CLOSED_OUTPUTS, FIFO_IN_WAY, LINK_TO_NOTHING, LIVE_LOCK, STALE_LOCK, MANY_DESCRIPTORS
};
enum Act { COMMAND };
// Shells as the Windows table names them: here a closed stream, or pipes.
enum ShellLaunch { NO_SHELL, PIPE_NO_ERROR, PIPE_AND_CONSOLE, CLOSED_PIPE_AND_CONSOLE };

// The Windows row's fields that the command rows use, in its order.
struct Row {
    const char* name;
    PadState state = Twelve();
    void (*pad)(PadSimConfig&) = nullptr;
    Pre pre = FRESH;
    const char* typed = "";      // FILE's text
    int pair = 1;
    Act act = COMMAND;
    const char* wire = "";
    const char* args = "";
    int exit = 0;
    TextKey said = NO_TEXT;
    const char* printed = nullptr;
    bool neighbours = false;     // silent devices as COM2 and COM12
    const char* pullAt = nullptr;
    ShellLaunch launch = NO_SHELL;
    TextKey onScreen = NO_TEXT;  // here: on standard error
    int secondPair = 0;
    const char* interruptAt = nullptr;  // the run is interrupted once the tool has sent this
    const char* kept = nullptr;  // the profile file's text after the run
    const char* env = nullptr;   // the run's LC_ALL, LC_MESSAGES and LANG; those not named unset
    bool japanese = false;       // with env: the texts are Japanese
    bool lockSeen = false;       // the run's own lock file looked at while its output waits
    int signal = SIGINT, secondSignal = 0;  // with interruptAt
};

const char* const OLDER = "[pad]\nbuttons=2\ndirection=up\nset=1";
// A run stopped by the signals a session's end or a service manager sends, or
// by a second one at once (the line is then not set back).
#define INTERRUPTED_BY(label, first, second, text)                                                          \
    {.name = "native_list_" label, .pad = Silent, .wire = CR, .args = "--list", .exit = 130, .said = text, \
     .neighbours = true, .interruptAt = CR, .signal = first, .secondSignal = second}
#define LANGUAGE(label, variables, ja)                                                                      \
    {.name = "native_language_" label, .args = "--port COM77 --read", .exit = 1, .said = UNUSABLE_COM77, \
     .env = variables, .japanese = ja}

const Row rows[] = {
#include "command_rows.inc"
    // A cable pulled by the relay at the tool's byte: the run ends "went away". (Under
    // Wine the relay is socat's; the dialog's rows pull at the tool's own write there.)
    {.name = "command_port_gone_mid_run", .act = COMMAND, .wire = HS CR "1_num?\rbtn_num?\r\r",
     .args = "--port COM1 --read", .exit = 1, .said = LINK_LOST_COM1, .pullAt = "btn_num?\r\r"},
    {.name = "command_apply_link_lost_reading_back", .typed = "[pad]\nbuttons=16\ndirection=up\nset=13", .act = COMMAND,
     .wire = HS RD RESTARTED("016") EDITS("008", "000", "016", "000", "000") CR,
     .args = "--port COM1 --apply FILE --restart-ok", .exit = 1, .said = LINK_LOST_COM1,
     .pullAt = "buttom_e=000\r\r"},
    // Profiles written safely: nothing beside the file, a failed save leaves
    // the old one whole, and a save keeps the file's mode and the link to it.
    {.name = "native_save_over_an_older_file_keeps_its_mode", .pre = FILE_0640, .wire = HS RD,
     .args = "--port COM1 --save FILE", .kept = SAVED_TWELVE},
    {.name = "native_save_through_a_link", .pre = LINKED, .wire = HS RD, .args = "--port COM1 --save FILE", .kept = SAVED_TWELVE},
    {.name = "native_save_into_a_read_only_folder", .pre = READ_ONLY_FOLDER, .wire = HS RD,
     .args = "--port COM1 --save FILE", .exit = 2, .said = SAVE_FAILED, .kept = OLDER},
    {.name = "native_device_denied", .pre = DENIED, .args = "--port COM1 --read", .exit = 1, .said = DENIED_COM1},
    {.name = "native_device_path_too_long", .args = "--port LONG --read", .exit = 2, .said = BAD_DEVICE,
     .printed = "LONG: SAID\r\nUSAGE\r\n"},
    {.name = "native_line_settings_overwritten", .pre = HOSTILE, .wire = HS RD, .args = "--port COM1 --read",
     .printed = SAVED_TWELVE},
    {.name = "native_list_in_number_order", .pair = 10, .wire = HS CR "1_num?\rbtn_num?\r", .args = "--list",
     .printed = "COM2 8\r\nCOM10 12\r\n", .secondPair = 2},
    INTERRUPTED_BY("ended_by_sigterm", SIGTERM, 0, INTERRUPTED), INTERRUPTED_BY("ended_by_sighup", SIGHUP, 0, INTERRUPTED),
    INTERRUPTED_BY("interrupted_twice_ends_at_once", SIGINT, SIGTERM, NO_TEXT),
    // A device of the search that the user may not open: the advice, as for the device named.
    {.name = "native_search_finds_only_a_denied_device", .pre = DENIED, .args = "--list", .exit = 1, .said = DENIED_COM1},
    {.name = "native_no_mode", .args = "--port COM1", .exit = 2, .said = NO_MODE, .printed = "SAID\r\nUSAGE\r\n"},
    // A closed standard output must not become the port: the profile would go to the pad.
    // Nor is the profile lost unsaid.
    {.name = "native_read_with_standard_output_closed", .pre = CLOSED_OUTPUT, .wire = HS RD, .args = "--port COM1 --read",
     .exit = 2, .said = OUTPUT_FAILED},
    {.name = "native_read_with_both_outputs_closed", .pre = CLOSED_OUTPUTS, .wire = HS RD, .args = "--port COM1 --read",
     .exit = 2, .printed = ""},
    // Only a regular file is replaced by a save, and a link only by the file it names.
    {.name = "native_save_onto_a_fifo", .pre = FIFO_IN_WAY, .wire = HS RD, .args = "--port COM1 --save FILE", .exit = 2,
     .said = SAVE_FAILED},
    {.name = "native_save_through_a_link_to_nothing", .pre = LINK_TO_NOTHING, .wire = HS RD,
     .args = "--port COM1 --save FILE", .exit = 2, .said = SAVE_FAILED},
    // A lock file of minicom's kind: a live holder's keeps the run out, an ended one's does not.
    {.name = "native_port_in_a_live_lock_file", .pre = LIVE_LOCK, .args = "--port COM1 --read", .exit = 1, .said = IN_USE_COM1},
    {.name = "native_port_in_a_stale_lock_file", .pre = STALE_LOCK, .wire = HS RD, .args = "--port COM1 --read",
     .printed = SAVED_TWELVE, .lockSeen = true},
    // A descriptor above select()'s 1,024.
    {.name = "native_read_with_1100_descriptors_open", .pre = MANY_DESCRIPTORS, .wire = HS RD, .args = "--port COM1 --read",
     .printed = SAVED_TWELVE},
    // The first of LC_ALL, LC_MESSAGES and LANG that is set; Japanese only in UTF-8.
    LANGUAGE("lc_all_first", "LC_ALL=ja_JP.UTF-8 LC_MESSAGES=en_US.UTF-8 LANG=en_US.UTF-8", true),
    LANGUAGE("lc_all_english_first", "LC_ALL=en_US.UTF-8 LC_MESSAGES=ja_JP.UTF-8 LANG=ja_JP.UTF-8", false),
    LANGUAGE("lc_messages_before_lang", "LC_MESSAGES=ja_JP.UTF-8 LANG=en_US.UTF-8", true),
    LANGUAGE("euc_jp_is_english", "LANG=ja_JP.eucJP", false),
    LANGUAGE("no_code_set_is_english", "LANG=ja_JP", false),
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

// native-checks runs the table under these two locales.
bool English(void) { return !getenv("LANG") || strcmp(getenv("LANG"), "ja_JP.UTF-8") != 0; }

// COMn of the Windows table, as the device here.
std::string Devices(const std::string& text) { return std::regex_replace(text, std::regex("COM([0-9]+)"), "./ttyACM$1"); }

struct ProgramRun {
    int exit = -1;
    std::string out, err;
    double endedAt = 0;
};

// Reads both streams to their end, for 30 s at most; then the run is ended.
void Collect(pid_t child, int out, int err, ProgramRun* run) {
    double start = ClockMs();
    std::string* into[2] = {&run->out, &run->err};
    int fds[2] = {out, err};
    while ((fds[0] >= 0 || fds[1] >= 0) && ClockMs() - start < 30000) {
        pollfd ends[2] = {{fds[0], POLLIN, 0}, {fds[1], POLLIN, 0}};
        if (poll(ends, 2, 100) <= 0) continue;
        for (int i = 0; i < 2; i++) {
            if (!ends[i].revents) continue;
            char bytes[4096];
            ssize_t got = read(fds[i], bytes, sizeof bytes);
            if (got > 0) into[i]->append(bytes, (size_t)got);
            else close(fds[i]), fds[i] = -1;
        }
    }
    if (fds[0] >= 0 || fds[1] >= 0) kill(child, SIGKILL), run->err += "[ended after 30 s]";
    for (int fd : fds)
        if (fd >= 0) close(fd);
    int status = 0;
    waitpid(child, &status, 0);
    run->endedAt = ClockMs();
    run->exit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::vector<std::string> Words(const std::string& arguments) {
    std::vector<std::string> words;
    std::istringstream in(arguments);
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// Fills the pipe, so that a write to it waits until its reader reads;
// returns how many bytes went in.
size_t FillPipe(int end) {
    int flags = fcntl(end, F_GETFL);
    fcntl(end, F_SETFL, flags | O_NONBLOCK);
    static const char filler[4096] = {};
    size_t filled = 0;
    for (size_t size : {sizeof filler, (size_t)1})
        for (ssize_t put; (put = write(end, filler, size)) > 0;) filled += (size_t)put;
    fcntl(end, F_SETFL, flags);
    return filled;
}

// Descriptors 0 to 1,099 open, as a program may leave them to its children:
// whatever the run opens lies above select()'s 1,024.
void OpenManyDescriptors(void) {
    rlimit limit;
    getrlimit(RLIMIT_NOFILE, &limit);
    if (limit.rlim_cur < 1200) limit.rlim_cur = std::min<rlim_t>(limit.rlim_max, 4096);
    if (setrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur < 1200) {
        dprintf(2, "[RLIMIT_NOFILE stops below 1,200 descriptors]");
        _exit(125);
    }
    int nothing = open("/dev/null", O_RDONLY);
    for (int fd = 3; fd < 1100; fd++) dup2(nothing, fd);
}

// padconfig in the folder, its streams and locale as the row gives them;
// another user (nobody) for a read-only folder or a denied device, when this
// test runs as root. during(child) runs while the run does: with lockSeen,
// the run's standard output is full until Collect reads it.
ProgramRun RunPadconfig(const std::string& folder, const std::string& arguments, const Row& row,
                        const std::function<void(pid_t)>& during) {
    int out[2], err[2];
    if (pipe(out) != 0 || pipe(err) != 0) return ProgramRun{};
    if (row.launch == CLOSED_PIPE_AND_CONSOLE) close(out[0]), out[0] = -1;
    size_t filled = row.lockSeen ? FillPipe(out[1]) : 0;
    pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(127);
        dup2(out[1], 1), dup2(err[1], 2);
        if (row.launch == PIPE_NO_ERROR || row.pre == CLOSED_OUTPUTS) close(2);
        if (row.pre == CLOSED_OUTPUT || row.pre == CLOSED_OUTPUTS) close(1);
        if (row.pre == MANY_DESCRIPTORS) OpenManyDescriptors();
        bool another = row.pre == READ_ONLY_FOLDER || row.pre == DENIED;
        if (another && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(126);
        setenv("PADCONFIG_DEVICES", ".", 1);
        setenv("PADCONFIG_LOCK_DIR", (folder + "/locks").c_str(), 1);
        if (row.env) unsetenv("LC_ALL"), unsetenv("LC_MESSAGES"), unsetenv("LANG");
        for (const std::string& variable : Words(row.env ? row.env : ""))
            setenv(variable.substr(0, variable.find('=')).c_str(), variable.substr(variable.find('=') + 1).c_str(), 1);
        std::vector<std::string> words = Words(arguments);
        // Another build of the program (an ARM one under an emulator) may stand in for this one.
        const char* program = getenv("PADCONFIG_PROGRAM") ? getenv("PADCONFIG_PROGRAM") : PADCONFIG_PROGRAM;
        std::vector<char*> argv = {(char*)program};
        for (std::string& word : words) argv.push_back(&word[0]);
        argv.push_back(nullptr);
        execv(program, argv.data());
        _exit(127);
    }
    close(out[1]), close(err[1]);
    during(child);
    ProgramRun run;
    Collect(child, out[0], err[0], &run);
    run.out.erase(0, std::min(filled, run.out.size()));
    return run;
}

std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The folder's names, sorted, a blank after each; "?" when it cannot be read.
std::string FilesIn(const std::string& folder) {
    std::unique_ptr<DIR, int (*)(DIR*)> list(opendir(folder.c_str()), closedir);
    if (!list) return "?";
    std::vector<std::string> names;
    while (dirent* entry = readdir(list.get()))
        if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0) names.push_back(entry->d_name);
    std::sort(names.begin(), names.end());
    std::string all;
    for (const std::string& name : names) all += name + " ";
    return all;
}

// A link and what it names, or a file and its mode.
std::string EntryOf(const std::string& path) {
    struct stat entry;
    char text[300] = "";
    if (lstat(path.c_str(), &entry) != 0) return "nothing";
    if (S_ISFIFO(entry.st_mode)) return "fifo";
    if (!S_ISLNK(entry.st_mode)) return snprintf(text, sizeof text, "file %04o", entry.st_mode & 07777), text;
    return "link to " + std::string(text, std::max<ssize_t>(readlink(path.c_str(), text, sizeof text), 0));
}

termios LineOf(int device) {
    termios line = {};
    tcgetattr(device, &line);
    return line;
}
int Baud(speed_t speed) { return speed == B9600 ? 9600 : speed == B19200 ? 19200 : -1; }
void SetLine(int device, termios line, speed_t speed) {
    cfsetispeed(&line, speed), cfsetospeed(&line, speed);
    tcsetattr(device, TCSANOW, &line);
}

// Every setting the pad cannot work with, as another program may leave a device.
void MakeHostile(int device) {
    termios line = LineOf(device);
    line.c_cflag = (line.c_cflag & ~(CSIZE | CLOCAL)) | CS7 | PARENB | PARODD | CSTOPB | CRTSCTS | HUPCL;
    line.c_iflag |= IXON | IXOFF | IXANY | ICRNL | INLCR | ISTRIP | INPCK;
    line.c_oflag |= OPOST | ONLCR;
    line.c_lflag |= ICANON | ECHO | ISIG | IEXTEN;
    line.c_cc[VMIN] = 4, line.c_cc[VTIME] = 9;
    SetLine(device, line, B19200);
}

// The line as the run left it: speed in and out, the frame, flow control,
// and whether anything is added, dropped or translated.
std::string LineSettings(int device) {
    termios line = LineOf(device);
    tcflag_t changing = IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP | INPCK | BRKINT | PARMRK;
    char text[200];
    snprintf(text, sizeof text, "%d/%d cs8:%d parenb:%d cstopb:%d crtscts:%d clocal:%d hupcl:%d iflag:%d oflag:%d lflag:%d %d %d",
             Baud(cfgetispeed(&line)), Baud(cfgetospeed(&line)), (line.c_cflag & CSIZE) == CS8, !!(line.c_cflag & PARENB),
             !!(line.c_cflag & CSTOPB), !!(line.c_cflag & CRTSCTS), !!(line.c_cflag & CLOCAL), !!(line.c_cflag & HUPCL),
             !!(line.c_iflag & changing), !!(line.c_oflag & OPOST), !!(line.c_lflag & (ICANON | ECHO | ECHONL | ISIG | IEXTEN)),
             line.c_cc[VMIN], line.c_cc[VTIME]);
    return text;
}

// Pauses and time-outs as lower bounds, in the transcripts of the rows named:
// the tool stamps each write and each read as it ends, to the millisecond (1 ms
// of tolerance), and nothing between it and its transcript shortens them.
struct PauseCase {
    const char* row;
    const char* label;
    bool fromTool;  // the bytes that start the pause: written, or read
    const char* from;
    int fromOccurrence;
    const char* to;  // the written bytes that end it; null: the transcript's last line
    int toOccurrence;
    double atLeastMs;
};
const PauseCase pauses[] = {
    {"command_silent_pad", "the first read's 500 ms, then the handshake's pause", true, "\r", 1, "\r", 2,
     READ_TOTAL_MS + HANDSHAKE_PAUSE_MS},
    {"command_silent_pad", "the second read's 500 ms, then the pause", true, "\r", 2, nullptr, 0,
     READ_TOTAL_MS + HANDSHAKE_PAUSE_MS},
    {"command_read", "the first read ends 300 ms after the answer, then the pause", true, "\r", 1, "\r", 2,
     READ_INTERVAL_MS + HANDSHAKE_PAUSE_MS},
    {"command_read", "the second answer fills its read, then the pause", false, "OK\r\n", 2, "\r", 3, HANDSHAKE_PAUSE_MS},
    // A value comes right behind its acknowledgement: both pauses of a query follow it.
    {"command_read", "a query's two pauses, then the next query", true, "1_num?\r", 1, "btn_num?", 1, 2 * EXCHANGE_PAUSE_MS},
    {"command_read", "a query's two pauses, then the drain", true, "btn_num?\r", 1, "\r", 6, 2 * EXCHANGE_PAUSE_MS},
    {"command_apply", "a command's pause after its acknowledgement", false, "OK\r\n", 13, "buttom_b=", 1, EXCHANGE_PAUSE_MS},
};

// Where the occurrence of text in one direction's bytes starts, or ends: the
// stamp of that byte's line.
double TimeOf(const std::vector<Burst>& bursts, char direction, const std::string& text, int occurrence, bool end) {
    std::string bytes;
    std::vector<double> stamps;  // each byte's
    for (const Burst& burst : bursts)
        if (burst.direction == direction) bytes += burst.bytes, stamps.resize(bytes.size(), burst.ms);
    size_t at = std::string::npos;
    for (int i = 0; i < occurrence; i++) at = bytes.find(text, at == std::string::npos ? 0 : at + 1);
    return at == std::string::npos ? -1 : stamps[end ? at + text.size() - 1 : at];
}

void CheckPauses(const char* row, const std::string& transcript) {
    std::vector<Burst> bursts = TranscribedBursts(transcript);
    for (const PauseCase& c : pauses) {
        if (strcmp(c.row, row) != 0) continue;
        double from = TimeOf(bursts, c.fromTool ? WIRE_SENT : WIRE_RECEIVED, c.from, c.fromOccurrence, true);
        double to = c.to ? TimeOf(bursts, WIRE_SENT, c.to, c.toOccurrence, false) : bursts.empty() ? -1 : bursts.back().ms;
        EXPECT_TRUE(from >= 0 && to >= 0) << c.label << ": not in the transcript";
        if (from >= 0 && to >= 0) EXPECT_GE(to - from, c.atLeastMs - 1) << c.label;
    }
}

// A folder of devices, profiles and a log for one run, and the pairs behind them.
class Folder : public ::testing::Test {
protected:
    std::string folder, profile, log, longProfile, filesBefore, lineBefore;
    std::unique_ptr<Pair> pairs[13];
    std::unique_ptr<PadSim> pad, neighbours[2], second;
    SerialPort* held = nullptr;
    bool english = English();

    void SetUp() override {
        char name[] = "/tmp/padconfig-rows-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        folder = name;
        chmod(name, 0755);  // another user's run goes through it, and writes in the two below
        for (const char* below : {"/profiles", "/logs", "/locks"})
            mkdir((folder + below).c_str(), 0777), chmod((folder + below).c_str(), 0777);
        // A port this test holds shows no lock file to the run (it has no lock folder):
        // a holder that uses only TIOCEXCL and flock.
        setenv("PADCONFIG_LOCK_DIR", (folder + "/no-locks").c_str(), 1);
        profile = folder + "/profiles/p.padprofile";
        log = folder + "/logs/command.log";
        for (longProfile = folder + "/profiles/"; longProfile.size() < 300 - 13;) longProfile += "./";
        longProfile += "p.padprofile";
    }
    void TearDown() override {
        CloseSerialPort(held);
        for (PadSim* sim : {pad.get(), neighbours[0].get(), neighbours[1].get(), second.get()})
            if (sim) StopPadSim(*sim);
        for (auto& pair : pairs)
            if (pair) StopPair(pair.get());
        chmod((folder + "/profiles").c_str(), 0777);
        (void)!system(("rm -rf " + folder).c_str());
    }
    // The pair's tool device as ./ttyACMn, and a stand-in on its pad's end.
    PadSim* StartPad(int number, const PadState& state, Misbehaviour misbehaviour = BEHAVE_WELL) {
        pairs[number].reset(new Pair);
        EXPECT_TRUE(StartPair(pairs[number].get())) << "pseudo-terminals";
        std::string device = folder + "/ttyACM" + std::to_string(ComOfPair(number));
        EXPECT_EQ(symlink(pairs[number]->toolPath.c_str(), device.c_str()), 0) << device;
        PadSim* sim = new PadSim;
        sim->config.state = state;
        sim->config.misbehaviour = misbehaviour;
        EXPECT_TRUE(StartPadSim(*sim, pairs[number]->padPath.c_str())) << "the stand-in on " << pairs[number]->padPath;
        return sim;
    }
    void Prepare(const Row& row) {
        pad.reset(StartPad(row.pair, row.state));
        if (row.pad) {
            std::lock_guard<std::mutex> guard(pad->lock);
            row.pad(pad->config);
        }
        if (row.neighbours) {
            neighbours[0].reset(StartPad(2, Twelve(), BEHAVE_SILENT));
            neighbours[1].reset(StartPad(11, Twelve(), BEHAVE_SILENT));
            SetLine(pairs[2]->toolSlave, LineOf(pairs[2]->toolSlave), B19200);  // as another program left it
        }
        if (row.secondPair) second.reset(StartPad(row.secondPair, MakePadState(8, 0, 0, 0, 0, 0)));
        if (*row.typed) std::ofstream(profile, std::ios::binary) << row.typed;
        if (row.pre == FILE_0640 || row.pre == READ_ONLY_FOLDER) std::ofstream(profile, std::ios::binary) << OLDER;
        if (row.pre == FILE_0640) chmod(profile.c_str(), 0640);
        if (row.pre == LINKED) {
            std::ofstream(folder + "/profiles/target.padprofile", std::ios::binary) << OLDER;
            ASSERT_EQ(symlink("target.padprofile", profile.c_str()), 0) << profile;
        }
        if (row.pre == FOLDER_IN_WAY) mkdir(profile.c_str(), 0777);
        if (row.pre == FIFO_IN_WAY) ASSERT_EQ(mkfifo(profile.c_str(), 0666), 0) << profile;
        if (row.pre == LINK_TO_NOTHING) ASSERT_EQ(symlink("gone.padprofile", profile.c_str()), 0) << profile;
        if (row.pre == LIVE_LOCK) std::ofstream(LockFile(row), std::ios::binary) << LockText(getpid());
        if (row.pre == STALE_LOCK) std::ofstream(LockFile(row), std::ios::binary) << LockText(EndedProcess());
        if (row.pre == READ_ONLY_FOLDER) {
            chmod(pairs[row.pair]->toolPath.c_str(), 0666);  // the device is the run's to open
            chmod((folder + "/profiles").c_str(), 0555);
        }
        if (row.pre == DENIED) Deny(pairs[row.pair]->toolPath);
        if (row.pre == HOSTILE) MakeHostile(pairs[row.pair]->toolSlave);
        OpenResult result;
        if (row.pre == OPEN) held = OpenSerialPort((folder + "/ttyACM1").c_str(), true, &result);
        if (row.pre == OPEN) ASSERT_NE(held, nullptr) << "the port held by another run";
        pairs[row.pair]->pullAt = row.pullAt;
        if (row.interruptAt) Interrupt(row);
        filesBefore = FilesIn(folder + "/profiles");
    }
    // The signals at the row's bytes, the device set as another program left it.
    void Interrupt(const Row& row) {
        Pair& pair = *pairs[row.pair];
        SetLine(pair.toolSlave, LineOf(pair.toolSlave), B19200);
        lineBefore = LineSettings(pair.toolSlave);
        pair.signals[0] = row.signal, pair.signals[1] = row.secondSignal;
        pair.signalAt = row.interruptAt;
    }
    // An interrupted run gave its port back as found, unless it ended at once;
    // either way the device is not left exclusive.
    void CheckInterrupted(const Row& row, const ProgramRun& run, const std::optional<std::string>& transcript) {
        EXPECT_FALSE(StillExclusive()) << "the device left exclusive";
        if (row.secondSignal) EXPECT_EQ(run.err, "") << "a run ended at once";
        else EXPECT_EQ(LineSettings(pairs[row.pair]->toolSlave), lineBefore) << "the line given back";
        if (transcript) EXPECT_EQ(Count(TranscribedNotes(*transcript), "interrupted"), 1) << *transcript;
    }
    // LCK.. and the device's name, in the run's lock folder.
    std::string LockFile(const Row& row) {
        std::string device = pairs[row.pair]->toolPath;
        return folder + "/locks/LCK.." + device.substr(device.rfind('/') + 1);
    }
    // A lock file's text: the holder's id in ten characters, and a line break.
    static std::string LockText(pid_t holder) {
        char text[16];
        snprintf(text, sizeof text, "%10d\n", (int)holder);
        return text;
    }
    // The id of a process that has ended.
    static pid_t EndedProcess(void) {
        pid_t child = fork();
        if (child == 0) _exit(0);
        waitpid(child, nullptr, 0);
        return child;
    }
    // The device as a serial device usually is: its owner's and its group's
    // (here tty's) to read and write.
    void Deny(const std::string& device) {
        struct group* tty = getgrnam("tty");
        ASSERT_NE(tty, nullptr) << "the group tty";
        ASSERT_EQ(chown(device.c_str(), 0, tty->gr_gid), 0) << device;
        chmod(device.c_str(), 0660);
    }
    // The other run's hold of the device: TIOCEXCL still set.
    bool StillExclusive(void) {
        int fd = open((folder + "/ttyACM1").c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK), exclusive = 0;
        bool held = fd >= 0 && ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive;
        if (fd >= 0) close(fd);
        return held;
    }
    // Devices are named before paths go in: a path is never read as a text.
    std::string Expected(TextKey key) {
        std::string text = Devices(ExpectedText(key == NO_PAD ? NO_PAD_NATIVE : key, english));
        Replace(text, "%s", profile);
        return text;
    }
    // The words with FILE, LONG and LOG as the run's paths.
    std::string Filled(const std::string& arguments) {
        std::string filled;
        for (const std::string& word : Words(Devices(arguments)))
            filled += (word == "FILE" ? profile : word == "LONG" ? longProfile : word == "LOG" ? log : word) + " ";
        return filled;
    }
    // What the run must have written: its placeholders filled, lines ended
    // as here; a profile keeps its own line breaks.
    std::string Printed(const Row& row) {
        std::string printed = Devices(row.printed);
        if (printed.compare(0, 5, "[pad]") != 0) Replace(printed, "\r\n", "\n");
        return FilledPrinted(printed, profile, longProfile, Expected(row.said), ExpectedText(USAGE_NATIVE, english));
    }
    // A shell's launch compares what reached its pipe; a run of its own, each stream.
    void Check(const Row& row, const ProgramRun& run, const std::optional<std::string>& transcript) {
        std::string port = Devices("COM" + std::to_string(ComOfPair(row.pair)));
        std::vector<WireByte> wire = SettledWire(*pad, BytesToAwait(transcript, port, row.wire));
        EXPECT_EQ(ToolBytes(wire), row.wire) << "the wire";
        std::string onScreen = row.launch != PIPE_NO_ERROR ? Expected(row.onScreen) : "";
        CheckCommandRun({run.exit, run.out, run.err, transcript, port, wire},
                        {row.exit, row.printed ? std::optional<std::string>(Printed(row)) : std::nullopt,
                         Expected(row.said), onScreen, row.launch != NO_SHELL});
        const char* seen = row.interruptAt ? "" : HS;  // an interrupted search tries no further port
        for (auto& neighbour : neighbours)
            if (neighbour) EXPECT_EQ(ToolBytes(SettledWire(*neighbour, strlen(seen))), seen) << "a silent neighbour";
        termios given = LineOf(row.neighbours ? pairs[2]->toolSlave : -1);
        if (row.neighbours) EXPECT_EQ(Baud(cfgetospeed(&given)), 19200) << "ttyACM2 given back as found";
        if (second) EXPECT_EQ(ToolBytes(SettledWire(*second, strlen(row.wire))), row.wire) << "the second pad";
        if (row.exit && strstr(row.args, "--save")) EXPECT_EQ(FilesIn(folder + "/profiles"), filesBefore) << "a failed run wrote a file";
        if (row.kept) EXPECT_EQ(FileText(profile), row.kept) << "the profile file";
        if (row.kept)
            EXPECT_EQ(FilesIn(folder + "/profiles"), row.pre == LINKED ? "p.padprofile target.padprofile " : "p.padprofile ")
                << "the folder holds nothing else";
        if (row.pre == FILE_0640) EXPECT_EQ(EntryOf(profile), "file 0640");
        if (row.pre == LINKED) EXPECT_EQ(EntryOf(profile), "link to target.padprofile");
        if (row.pre == FIFO_IN_WAY) EXPECT_EQ(EntryOf(profile), "fifo");
        if (row.pre == LINK_TO_NOTHING) EXPECT_EQ(EntryOf(profile), "link to gone.padprofile");
        std::string lock = LockFile(row), lockName = lock.substr(lock.rfind('/') + 1) + " ";
        EXPECT_EQ(FilesIn(folder + "/locks"), row.pre == LIVE_LOCK ? lockName : "") << "lock files after the run";
        if (row.pre == LIVE_LOCK) EXPECT_EQ(FileText(lock), LockText(getpid())) << "the holder's lock file";
        if (row.pre == HOSTILE)
            EXPECT_EQ(LineSettings(pairs[row.pair]->toolSlave),
                      "9600/9600 cs8:1 parenb:0 cstopb:0 crtscts:0 clocal:1 hupcl:0 iflag:0 oflag:0 lflag:0 0 0");
        if (row.pullAt) EXPECT_LT(run.endedAt - pairs[row.pair]->pulledAt, 5000) << "ms from the pull to the run's end";
        if (row.pre == OPEN) EXPECT_TRUE(StillExclusive()) << "the holder's exclusive use, after the run that found it";
        if (row.interruptAt) CheckInterrupted(row, run, transcript);
        if (transcript) CheckPauses(row.name, *transcript);
    }
};

class Commands : public Folder, public ::testing::WithParamInterface<Row> {};

TEST_P(Commands, Row) {
    const Row& row = GetParam();
    if (row.pre == DENIED && geteuid() != 0) GTEST_SKIP() << "a device this user may not open needs root to arrange";
    if (row.env) english = !row.japanese;
    ASSERT_NO_FATAL_FAILURE(Prepare(row));
    bool closed = row.pre == CLOSED_OUTPUT || row.pre == CLOSED_OUTPUTS;
    std::string arguments = closed ? row.args : WithLog(row.args);  // a log would take the stream
    ProgramRun run = RunPadconfig(folder, Filled(arguments), row, [&](pid_t child) {
        pairs[row.pair]->signalTo = child;
        if (!row.lockSeen) return;
        // The run has read the pad and waits to write the profile: its port is still open.
        EXPECT_EQ(ToolBytes(SettledWire(*pad, strlen(row.wire))), row.wire) << "the read, before the run's output";
        EXPECT_EQ(FileText(LockFile(row)), LockText(child)) << "the run's own lock file, while it runs";
    });
    // A run ended at once may not have written its last bytes to the transcript.
    bool logged = arguments.find("LOG") != std::string::npos && !row.secondSignal;
    Check(row, run, logged ? std::optional<std::string>(FileText(log)) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Rows, Commands, ::testing::ValuesIn(rows),
                         [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

// A pause of a row not in the table would never be checked.
TEST(Pauses, OfRowsOfTheTable) {
    for (const PauseCase& c : pauses)
        EXPECT_TRUE(std::any_of(std::begin(rows), std::end(rows), [&](const Row& r) { return !strcmp(r.name, c.row); })) << c.row;
}

// Every option of the help is in the manual page.
TEST(ManualPage, ListsEveryOptionOfTheHelp) {
    std::string help = ExpectedText(USAGE_NATIVE, true), page = FileText(PADCONFIG_ROOT "/doc/padconfig.1");
    ASSERT_FALSE(page.empty()) << "doc/padconfig.1";
    Replace(page, "\\-", "-");
    std::regex option("--[a-z][a-z-]*");
    int options = 0;
    for (std::sregex_iterator it(help.begin(), help.end(), option), end; it != end; ++it, options++)
        EXPECT_NE(page.find(it->str()), std::string::npos) << it->str() << " is not in the manual page";
    EXPECT_GE(options, 10) << "options read from the help";
}

}  // namespace
