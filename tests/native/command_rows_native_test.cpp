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
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "clock.h"
#include "expected_texts.h"
#include "pty_pair.h"
#include "load_text.h"
#include "serial_link.h"
#include "transcript_text.h"
#include "version.h"
#include "wide_text.h"
#include "wire_text.h"

namespace {

// The Windows table's preconditions that mean something here, and the native
// ones: FILE_THERE, an older profile in the file; READ_ONLY_FOLDER, that and a
// folder the run may not write; DENIED, a device the run may not open. The
// last two run as another user when this test runs as root.
enum Pre { FRESH, OPEN, STALE_ACK, FOLDER_IN_WAY, FILE_THERE, READ_ONLY_FOLDER, DENIED };
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
    const char* kept = nullptr;  // the profile file's text after the run
};

const char* const OLDER = "[pad]\nbuttons=2\ndirection=up\nset=1";

const Row rows[] = {
#include "command_rows.inc"
    // Profiles written safely: nothing beside the file, and a failed save
    // leaves the old one whole.
    {.name = "native_save_over_an_older_file", .pre = FILE_THERE, .wire = HS RD, .args = "--port COM1 --save FILE",
     .kept = SAVED_TWELVE},
    {.name = "native_save_into_a_read_only_folder", .pre = READ_ONLY_FOLDER, .wire = HS RD,
     .args = "--port COM1 --save FILE", .exit = 2, .said = SAVE_FAILED, .kept = OLDER},
    {.name = "native_device_denied", .pre = DENIED, .args = "--port COM1 --read", .exit = 1, .said = DENIED_COM1},
    {.name = "native_list_in_number_order", .pair = 10, .wire = HS CR "1_num?\rbtn_num?\r", .args = "--list",
     .printed = "COM2 8\r\nCOM10 12\r\n", .secondPair = 2},
    {.name = "native_no_mode", .args = "--port COM1", .exit = 2, .said = NO_MODE, .printed = "SAID\r\nUSAGE\r\n"},
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

// native-checks runs the table under these two locales.
bool English(void) { return !getenv("LANG") || strcmp(getenv("LANG"), "ja_JP.UTF-8") != 0; }

std::string Narrow(const wchar_t* text) {
    std::string out(wcslen(text) * 4 + 1, '\0');
    NarrowWide(text, &out[0], out.size());
    out.resize(strlen(out.c_str()));
    return out;
}

// COMn of the Windows table, as the device here.
std::string Devices(const std::string& text) { return std::regex_replace(text, std::regex("COM([0-9]+)"), "./ttyACM$1"); }

int ComOfPair(int pair) { return pair <= 10 ? pair : pair == 11 ? 12 : 33; }

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

// padconfig in the folder, its streams as the launch gives them; another
// user (nobody) when asked and this test runs as root.
ProgramRun RunPadconfig(const std::string& folder, const std::string& arguments, ShellLaunch launch, bool another) {
    int out[2], err[2];
    if (pipe(out) != 0 || pipe(err) != 0) return ProgramRun{};
    if (launch == CLOSED_PIPE_AND_CONSOLE) close(out[0]), out[0] = -1;
    pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(127);
        dup2(out[1], 1), dup2(err[1], 2);
        if (launch == PIPE_NO_ERROR) close(2);
        if (another && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(126);
        setenv("PADCONFIG_DEVICES", ".", 1);
        std::vector<std::string> words = Words(arguments);
        std::vector<char*> argv = {(char*)PADCONFIG_PROGRAM};
        for (std::string& word : words) argv.push_back(&word[0]);
        argv.push_back(nullptr);
        execv(PADCONFIG_PROGRAM, argv.data());
        _exit(127);
    }
    close(out[1]), close(err[1]);
    ProgramRun run;
    Collect(child, out[0], err[0], &run);
    return run;
}

// The wire once it has been quiet for 50 ms: the run has ended, and the
// stand-in's answers to its last bytes are in.
std::vector<WireByte> SettledWire(PadSim& pad) {
    double asked = PadSimNow(pad);
    std::vector<WireByte> wire = WireSnapshot(pad);
    while (PadSimNow(pad) - std::max(asked, wire.empty() ? 0 : wire.back().ms) < 50) PauseMs(5), wire = WireSnapshot(pad);
    return wire;
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

// A folder of devices and profiles for one run, and the pairs behind them.
class Folder : public ::testing::Test {
protected:
    std::string folder, profile, log, longProfile, filesBefore;
    std::unique_ptr<Pair> pairs[13];
    std::unique_ptr<PadSim> pad, neighbours[2], second;
    SerialPort* held = nullptr;

    void SetUp() override {
        char name[] = "/tmp/padconfig-rows-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        folder = name;
        chmod(name, 0755);  // another user's run goes through it
        mkdir((folder + "/profiles").c_str(), 0777);
        chmod((folder + "/profiles").c_str(), 0777);
        profile = folder + "/profiles/p.padprofile";
        log = folder + "/command.log";
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
        }
        if (row.secondPair) second.reset(StartPad(row.secondPair, MakePadState(8, 0, 0, 0, 0, 0)));
        if (*row.typed) std::ofstream(profile, std::ios::binary) << row.typed;
        if (row.pre == FILE_THERE || row.pre == READ_ONLY_FOLDER) std::ofstream(profile, std::ios::binary) << OLDER;
        if (row.pre == FOLDER_IN_WAY) mkdir(profile.c_str(), 0777);
        if (row.pre == READ_ONLY_FOLDER) {
            chmod(pairs[row.pair]->toolPath.c_str(), 0666);  // the device is the run's to open
            chmod((folder + "/profiles").c_str(), 0555);
        }
        if (row.pre == DENIED) Deny(pairs[row.pair]->toolPath);
        OpenResult result;
        if (row.pre == OPEN) held = OpenSerialPort((folder + "/ttyACM1").c_str(), true, &result);
        if (row.pre == OPEN) ASSERT_NE(held, nullptr) << "the port held by another run";
        if (row.pullAt) Pull(row.pullAt);
        filesBefore = FilesIn(folder + "/profiles");
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
    // Once the stand-in has seen the text, the cable is pulled.
    void Pull(const char* text) {
        std::thread([this, text] {
            for (double start = ClockMs(); ClockMs() - start < 20000; PauseMs(2))
                if (ToolBytes(WireSnapshot(*pad)).find(text) != std::string::npos) return (void)(pairs[1]->pull = true);
        }).detach();
    }
    // Devices are named before paths go in: a path is never read as a text.
    std::string Expected(TextKey key) {
        std::string text = Devices(ExpectedText(key, English()));
        Replace(text, "%s", profile);
        return text;
    }
    // The words with FILE, LONG and LOG as the run's paths.
    std::string Filled(const char* arguments) {
        std::string filled;
        for (const std::string& word : Words(Devices(arguments)))
            filled += (word == "FILE" ? profile : word == "LONG" ? longProfile : word == "LOG" ? log : word) + " ";
        return filled;
    }
    // What the run must have written: its placeholders filled, lines ended
    // as here; a profile keeps its own line breaks.
    std::string Printed(const Row& row) {
        wchar_t usage[4096];
        LoadText(TEXT_USAGE, usage, 4096);
        std::string printed = Devices(row.printed);
        if (printed.compare(0, 5, "[pad]") != 0) Replace(printed, "\r\n", "\n");
        Replace(printed, "FILE", profile);  // first: the usage names FILE too
        Replace(printed, "SAID", Expected(row.said));
        Replace(printed, "USAGE", Narrow(usage));
        Replace(printed, "VERSION", VERSION_TEXT);
        return printed;
    }
    // A shell's launch compares what reached its pipe; a run of its own, both streams.
    void Check(const Row& row, const ProgramRun& run) {
        std::string output = row.launch ? run.out : run.out + run.err;
        EXPECT_EQ(run.exit, row.exit) << output;
        EXPECT_EQ(ToolBytes(SettledWire(*pad)), row.wire) << "the wire";
        if (row.printed) EXPECT_EQ(output, Printed(row));
        if (row.onScreen && row.launch != PIPE_NO_ERROR) EXPECT_NE(run.err.find(Expected(row.onScreen)), std::string::npos) << run.err;
        std::string said = Expected(row.said) + "\n";
        for (size_t line = 0, end; row.said && !row.printed && (end = said.find('\n', line)) != std::string::npos; line = end + 1)
            EXPECT_NE(output.find(said.substr(line, end - line)), std::string::npos) << output;
        if (row.said && !row.printed && !row.onScreen) EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
        if (strstr(row.args, "LOG")) EXPECT_EQ(TranscribedBytes(FileText(log), WIRE_SENT), ToolBytes(WireSnapshot(*pad))) << "the log";
        if (strstr(row.args, "LOG")) KeepTranscript(row);
        if (row.exit && strstr(row.args, "--save")) EXPECT_EQ(FilesIn(folder + "/profiles"), filesBefore) << "a failed run wrote a file";
        if (row.kept) EXPECT_EQ(FileText(profile), row.kept) << "the profile file";
        if (row.kept) EXPECT_EQ(FilesIn(folder + "/profiles"), "p.padprofile ") << "the folder holds nothing else";
        if (row.pullAt) EXPECT_LT(run.endedAt - pairs[1]->pulledAt, 1500) << "ms from the pull to the run's end";
        if (row.pre == OPEN) EXPECT_TRUE(StillExclusive()) << "the holder's exclusive use, after the run that found it";
    }
    // Kept to be compared with the Windows build's (transcripts_match).
    void KeepTranscript(const Row& row) {
        const char* kept = getenv("PADCONFIG_TRANSCRIPTS");
        if (!kept || !*kept) return;
        mkdir(kept, 0777);
        std::ofstream(std::string(kept) + "/" + row.name + ".log", std::ios::binary) << FileText(log);
    }
};

class Commands : public Folder, public ::testing::WithParamInterface<Row> {};

TEST_P(Commands, Row) {
    const Row& row = GetParam();
    if (row.pre == DENIED && geteuid() != 0) GTEST_SKIP() << "a device this user may not open needs root to arrange";
    ASSERT_NO_FATAL_FAILURE(Prepare(row));
    ProgramRun run = RunPadconfig(folder, Filled(row.args), row.launch, row.pre == READ_ONLY_FOLDER || row.pre == DENIED);
    Check(row, run);
}

INSTANTIATE_TEST_SUITE_P(Rows, Commands, ::testing::ValuesIn(rows),
                         [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

// Pauses and time-outs on the wire, as lower bounds: the time from the end
// of one burst to the start of a later one, less what the stand-in's 1 ms
// poll and a busy machine can take from it.
struct PauseCase {
    const char* label;
    Misbehaviour misbehaviour;
    bool fromTool;  // the burst that starts the pause
    const char* from;
    int fromOccurrence;
    const char* to;  // the tool's bytes that end it; null: the run's end
    int toOccurrence;
    double atLeastMs;
    const char* args = "--port ./ttyACM1 --read";  // FILE: a profile of the pad's count
};
const PauseCase pauses[] = {
    {"a silent pad: the first read's 500 ms, then the handshake's pause", BEHAVE_SILENT, true, "\r", 1, "\r", 2,
     READ_TOTAL_MS + HANDSHAKE_PAUSE_MS},
    {"a silent pad: the second read's 500 ms, then the pause", BEHAVE_SILENT, true, "\r", 2, nullptr, 0,
     READ_TOTAL_MS + HANDSHAKE_PAUSE_MS},
    {"the first read ends 300 ms after the answer, then the pause", BEHAVE_WELL, false, "OK\r\n", 1, "\r", 2,
     READ_INTERVAL_MS + HANDSHAKE_PAUSE_MS},
    {"the second answer fills its read, then the pause", BEHAVE_WELL, false, "OK\r\n", 2, "\r", 3, HANDSHAKE_PAUSE_MS},
    // A value comes right behind its acknowledgement: both pauses of a query follow it.
    {"a query's two pauses, then the next query", BEHAVE_WELL, false, "00FF\r\n", 1, "btn_num?", 1, 2 * EXCHANGE_PAUSE_MS},
    {"a query's two pauses, then the drain", BEHAVE_WELL, false, "000C\r\n", 1, "\r", 6, 2 * EXCHANGE_PAUSE_MS},
    {"a command's pause after its acknowledgement", BEHAVE_WELL, false, "OK\r\n", 13, "buttom_b=", 1,
     EXCHANGE_PAUSE_MS, "--port ./ttyACM1 --apply FILE"},
};

// Where the occurrence of text in one direction's bytes starts, or ends.
double TimeOf(const std::vector<WireByte>& wire, bool fromTool, const std::string& text, int occurrence, bool end) {
    std::vector<const WireByte*> side;
    for (const WireByte& b : wire)
        if (b.fromTool == fromTool) side.push_back(&b);
    std::string bytes = ToolBytes(wire, fromTool);
    size_t at = std::string::npos;
    for (int i = 0; i < occurrence; i++) at = bytes.find(text, at == std::string::npos ? 0 : at + 1);
    if (at == std::string::npos) return -1;
    return side[end ? at + text.size() - 1 : at]->ms;
}

class Pauses : public Folder {};

TEST_F(Pauses, HeldAsLowerBounds) {
    for (const PauseCase& c : pauses) {
        pad.reset(StartPad(1, Twelve(), c.misbehaviour));
        std::ofstream(profile, std::ios::binary) << GAME;
        ProgramRun run = RunPadconfig(folder, Filled(c.args), NO_SHELL, false);
        std::vector<WireByte> wire = SettledWire(*pad);
        double from = TimeOf(wire, c.fromTool, c.from, c.fromOccurrence, true);
        double to = c.to ? TimeOf(wire, true, c.to, c.toOccurrence, false) : run.endedAt - pad->startedMs;
        ASSERT_TRUE(from >= 0 && to >= 0) << c.label << ": not on the wire; " << run.err;
        EXPECT_GE(to - from, c.atLeastMs - 3) << c.label;
        StopPadSim(*pad), pad.reset();
        StopPair(pairs[1].get()), pairs[1].reset();
        unlink((folder + "/ttyACM1").c_str());
    }
}

// Every option that --help lists is in the manual page.
TEST(ManualPage, ListsEveryOptionOfTheHelp) {
    wchar_t usage[4096];
    LoadText(TEXT_USAGE, usage, 4096);
    std::string help = Narrow(usage), page = FileText(PADCONFIG_ROOT "/doc/padconfig.1");
    ASSERT_FALSE(page.empty()) << "doc/padconfig.1";
    Replace(page, "\\-", "-");
    std::regex option("--[a-z][a-z-]*");
    int options = 0;
    for (std::sregex_iterator it(help.begin(), help.end(), option), end; it != end; ++it, options++)
        EXPECT_NE(page.find(it->str()), std::string::npos) << it->str() << " is not in the manual page";
    EXPECT_GE(options, 10) << "options read from --help";
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ChooseTexts(nullptr);  // the expected usage in the locale's language
    return RUN_ALL_TESTS();
}
