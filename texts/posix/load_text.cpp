// Texts compiled in from the resources' text files, for systems without
// string tables; the language comes from --lang or the locale's variables.
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <cwchar>

#include "../../resources/texts_en.h"
#include "../../resources/texts_ja.h"
#include "../../resources/texts_neutral.h"
#include "../load_text.h"
#include "../wide_text.h"

// The argument fault BAD_PORT, whose text here speaks of a device's path.
constexpr unsigned TEXT_BAD_PORT = TEXT_ARGUMENT_FAULT + 3;

#ifdef __APPLE__
#define EN_NO_PAD_OF_SYSTEM EN_NO_PAD_MACOS
#else
#define EN_NO_PAD_OF_SYSTEM EN_NO_PAD_LINUX
#endif

struct Text {
    unsigned id;
    const wchar_t* faces[2];  // Japanese, English
};

static const Text texts[] = {
#define STRING(id, key) {id, {WIDE(JA_##key), WIDE(EN_##key)}},
#include "../../resources/string_list.inc"
#undef STRING
    {TEXT_USAGE, {WIDE(JA_USAGE_NATIVE), WIDE(EN_USAGE_NATIVE)}},
    {TEXT_NO_PAD, {WIDE(JA_NO_PAD), WIDE(EN_NO_PAD_OF_SYSTEM)}},
    {TEXT_BAD_PORT, {WIDE(JA_BAD_DEVICE), WIDE(EN_BAD_DEVICE)}},
    {TEXT_PORT_DENIED, {WIDE(JA_PORT_DENIED), WIDE(EN_PORT_DENIED)}},
    {TEXT_NO_MODE, {WIDE(JA_NO_MODE), WIDE(EN_NO_MODE)}},
    {TEXT_BAD_LANGUAGE, {WIDE(ALL_BAD_LANGUAGE), WIDE(ALL_BAD_LANGUAGE)}},
    {TEXT_APP_CAPTION, {WIDE(ALL_APP_CAPTION), WIDE(ALL_APP_CAPTION)}},
};

enum Face { FACE_JAPANESE, FACE_ENGLISH };
static Face face = FACE_ENGLISH;

int LoadText(unsigned text, wchar_t* out, int size) {
    out[0] = 0;
    for (const Text& entry : texts) {
        if (entry.id != text) continue;
        wcsncpy(out, entry.faces[face], (size_t)size - 1);
        out[size - 1] = 0;
        return (int)wcslen(out);
    }
    return 0;
}

void SystemErrorText(unsigned long error, wchar_t* out, int size) {
    WidenBytes(strerror((int)error), out, (size_t)size);
}

// "ja_JP.UTF-8", "ja_JP.utf8@…": Japanese in UTF-8, which is what this
// program writes. A locale of another code set (ja_JP.eucJP, or ja_JP, whose
// code set is EUC-JP) would show the Japanese texts garbled: English there.
static bool NamesJapanese(const char* locale) {
    if (strncmp(locale, "ja", 2) != 0 || !strchr("_.", locale[2])) return false;
    const char* codeset = strchr(locale, '.');
    if (!codeset) return false;
    size_t length = strcspn(++codeset, "@");
    return (length == 5 && strncasecmp(codeset, "utf-8", 5) == 0) || (length == 4 && strncasecmp(codeset, "utf8", 4) == 0);
}

// The first of the variables that is set decides, as for every program.
static Face FaceOfEnvironment(void) {
    static const char* const names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    for (const char* name : names) {
        const char* value = getenv(name);
        if (value && *value) return NamesJapanese(value) ? FACE_JAPANESE : FACE_ENGLISH;
    }
    return FACE_ENGLISH;
}

bool ChooseTexts(const wchar_t* lang) {
    face = FaceOfEnvironment();
    if (!lang) return true;
    if (wcscasecmp(lang, L"ja") == 0) face = FACE_JAPANESE;
    else if (wcscasecmp(lang, L"en") == 0) face = FACE_ENGLISH;
    else return false;
    return true;
}
