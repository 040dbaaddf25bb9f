// padconfig on Linux and macOS: the command line alone, with the texts'
// language from --lang or the locale's variables.
#include <fcntl.h>

#include <csignal>
#include <cstring>
#include <vector>

#include "../../link/transcript.h"
#include "../../texts/load_text.h"
#include "../../texts/wide_text.h"
#include "../interruption.h"
#include "../run_command.h"

// The words as wide text, each byte kept (texts/wide_text.h), for the whole run.
static wchar_t** WidenWords(int count, char** words) {
    static std::vector<std::vector<wchar_t>> texts;
    static std::vector<wchar_t*> wide;
    for (int i = 0; i < count; i++) {
        texts.emplace_back(strlen(words[i]) + 1);  // a byte gives at most one character
        WidenBytes(words[i], texts.back().data(), texts.back().size());
    }
    for (std::vector<wchar_t>& text : texts) wide.push_back(text.data());
    wide.push_back(nullptr);
    return wide.data();
}

// A stream the caller closed must not become the port or the transcript when
// they open: it leads nowhere instead, read-only, so that a write to it fails
// as on the closed stream and the run says its output was lost.
static void KeepStandardStreams(void) {
    for (int stream = 0; stream < 3; stream++)
        if (fcntl(stream, F_GETFD) == -1 && open("/dev/null", O_RDONLY) != stream) return;
}

int main(int argc, char** argv) {
    signal(SIGPIPE, SIG_IGN);  // a closed pipe is a failed write, told by the exit code
    KeepStandardStreams();
    wchar_t** words = WidenWords(argc - 1, argv + 1);
    Arguments arguments;
    ArgumentCheck check = ParseArguments(argc - 1, words, &arguments);
    if (!ChooseTexts(arguments.lang)) return ReportRefusal(TEXT_BAD_LANGUAGE, nullptr, false);
    if (check.fault != ARGUMENTS_OK) return ReportRefusal(TEXT_ARGUMENT_FAULT + check.fault, words[check.word], true);
    if (arguments.mode == RUN_DIALOG) return ReportRefusal(TEXT_NO_MODE, nullptr, true);  // no dialog here
    if (arguments.log && OpenTranscript(arguments.log) != 0) return ReportRefusal(TEXT_LOG_FAILED, arguments.log, false);
    CatchInterruptions();
    return RunCommandLine(arguments);
}
