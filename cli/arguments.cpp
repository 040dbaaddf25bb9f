#include "arguments.h"

#include <cstring>
#include <cwchar>


// Each option sets a flag or takes a value; one that names a mode sets it.
struct Option {
    const wchar_t* name;
    RunMode mode;  // RUN_DIALOG: names no mode
    bool Arguments::*flag;
    const wchar_t* Arguments::*value;
};
static const Option options[] = {
    {L"--port", RUN_DIALOG, nullptr, &Arguments::portName},
    {L"--read", RUN_READ, &Arguments::print, nullptr},
    {L"--save", RUN_READ, nullptr, &Arguments::save},
    {L"--apply", RUN_APPLY, nullptr, &Arguments::apply},
    {L"--restart-ok", RUN_DIALOG, &Arguments::restartOk, nullptr},
    {L"--release-all", RUN_RELEASE_ALL, nullptr, nullptr},
    {L"--list", RUN_LIST, nullptr, nullptr},
    {L"--log", RUN_DIALOG, nullptr, &Arguments::log},
    {L"--lang", RUN_DIALOG, nullptr, &Arguments::lang},
    {L"--help", RUN_HELP, nullptr, nullptr},
    {L"--version", RUN_VERSION, nullptr, nullptr},
};
constexpr int OPTION_COUNT = sizeof options / sizeof options[0];

// The option a word names, alone or before "="; -1 for none.
static int OptionOf(const wchar_t* word, const wchar_t** inlineValue) {
    for (int i = 0; i < OPTION_COUNT; i++) {
        size_t length = wcslen(options[i].name);
        if (wcsncmp(word, options[i].name, length) != 0) continue;
        if (word[length] == 0) return *inlineValue = nullptr, i;
        if (word[length] == L'=' && options[i].value) return *inlineValue = word + length + 1, i;
    }
    return -1;
}

static ArgumentFault TakeWord(const wchar_t* const* words, int count, int* at, Arguments* arguments,
                              bool seen[OPTION_COUNT]) {
    const wchar_t* value = nullptr;
    int option = OptionOf(words[*at], &value);
    if (option < 0) return UNKNOWN_OPTION;
    if (seen[option]) return REPEATED_OPTION;
    seen[option] = true;
    const Option& taken = options[option];
    if (taken.mode != RUN_DIALOG && arguments->mode != RUN_DIALOG && arguments->mode != taken.mode) return MODES_CONFLICT;
    if (taken.mode != RUN_DIALOG) arguments->mode = taken.mode;
    if (taken.value && !value) {
        if (*at + 1 >= count || wcsncmp(words[*at + 1], L"--", 2) == 0) return MISSING_VALUE;
        value = words[++*at];
    }
    if (taken.value && !*value) return MISSING_VALUE;
    if (taken.flag) arguments->*taken.flag = true;
    if (taken.value) arguments->*taken.value = value;
    if (taken.value == &Arguments::portName && !PortNameOfWord(value, arguments->port, PORT_PATH_SIZE)) {
        arguments->port[0] = 0;
        return BAD_PORT;
    }
    return ARGUMENTS_OK;
}

ArgumentCheck ParseArguments(int count, const wchar_t* const* words, Arguments* arguments) {
    *arguments = Arguments{};
    bool seen[OPTION_COUNT] = {};
    ArgumentCheck check = {ARGUMENTS_OK, 0};
    for (int at = 0; at < count; at++) {
        int first = at;
        ArgumentFault fault = TakeWord(words, count, &at, arguments, seen);
        if (fault != ARGUMENTS_OK && check.fault == ARGUMENTS_OK) check = {fault, fault == BAD_PORT ? at : first};
    }
    if (check.fault == ARGUMENTS_OK && arguments->restartOk && arguments->mode != RUN_APPLY)
        check = {RESTART_WITHOUT_APPLY, 0};
    return check;
}
