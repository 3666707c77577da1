#include "script/script_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/dialogs.h"
#include "core/file_io.h"
#include "core/lifecycle.h"
#include "core/path.h"
#include "core/save_stat.h"
#include "core/sjis.h"
#include "platform/host_files.h"
#include "script/interpreter.h"
#include "script/read_text.h"
#include "script/string_vars.h"
#include "script/text_settings.h"
#include "sound/sound_ahead.h"

uint8_t ScriptBuffer[SCRIPT_BUFFER_SIZE];
char ScriptFileName[SCRIPT_NAME_SIZE];
int32_t ScriptLength = 0;
ScriptText ScriptSource = {ScriptBuffer, 0};
int32_t ScriptCursor = 0;

namespace {
// How much of ScriptBuffer a script has ever filled: a reset clears only that much, so the pages
// beyond stay untouched and cost no memory.
size_t written = 0;
constexpr const char* FIRST_SCRIPT = ".\\txt\\config.txt";
// A UTF-8 sequence of `need` continuation bytes starts at `at`.
bool Utf8_sequence(const uint8_t* bytes, int32_t length, int32_t at, int need) {
    if (length - at <= need) return false;
    for (int i = 1; i <= need; ++i)
        if ((bytes[at + i] & 0xC0) != 0x80) return false;
    return true;
}

bool Readable_as_sjis(const uint8_t* bytes, int32_t length) {
    for (int32_t at = 0; at < length; ++at) {
        const uint8_t b = bytes[at];
        if (b < 0x80 || (b >= 0xA1 && b <= 0xDF)) continue;
        if (!Cp932_is_lead(b) || at + 1 >= length || !Cp932_is_trail(bytes[at + 1])) return false;
        ++at;
    }
    return true;
}

// "txt/config.txt" for ".\txt\config.txt": where the file lies, as a shell names it.
std::string Shell_name(const char* path) {
    std::string host = Path_resolve(path);
    return host.rfind("./", 0) == 0 ? host.substr(2) : host;
}

} // namespace

int32_t Script_bare_lf(const uint8_t* bytes, int32_t length) {
    for (int32_t at = 0; at < length; ++at) {
        const void* lf = std::memchr(bytes + at, '\n', size_t(length - at));
        if (!lf) return -1;
        at = int32_t(static_cast<const uint8_t*>(lf) - bytes);
        if (at == 0 || bytes[at - 1] != '\r') return at;
    }
    return -1;
}

int32_t Script_utf8_start(const uint8_t* bytes, int32_t length) {
    int32_t first = -1;
    for (int32_t at = 0; at < length; ++at) {
        const uint8_t b = bytes[at];
        if (b < 0x80) continue;
        const int need = b >= 0xC2 && b <= 0xDF   ? 1
                         : b >= 0xE0 && b <= 0xEF ? 2
                         : b >= 0xF0 && b <= 0xF4 ? 3
                                                  : 0;
        if (need == 0 || !Utf8_sequence(bytes, length, at, need)) return -1;
        if (first < 0) first = at;
        at += need;
    }
    return first >= 0 && !Readable_as_sjis(bytes, length) ? first : -1;
}

std::string Script_lf_message(const std::string& shown) {
    return "the line ends in LF without CR: the engine needs CR LF line ends (convert the script with: "
           "sed -i 's/\\r*$/\\r/' " +
           shown + ")";
}

std::string Script_utf8_message(const std::string& shown) {
    return "the script is UTF-8: the engine reads Shift-JIS (CP932) with CR LF line ends (convert it with: "
           "iconv -f UTF-8 -t CP932 " +
           shown + " | sed 's/\\r*$/\\r/' > converted.txt && mv converted.txt " + shown + ")";
}

FileRead Script_read(const char* path) {
    const FileRead read = Script_read_quietly(path);
    if (read != FileRead::Ok) return read;
    Read_text_script_loaded();
    Sound_prepare_for(ScriptBuffer, size_t(ScriptLength));
    const std::string shown = Shell_name(path);
    const int32_t lf = Script_bare_lf(ScriptBuffer, ScriptLength);
    if (lf >= 0) {
        const auto line = 1 + std::count(ScriptBuffer, ScriptBuffer + lf, uint8_t('\n'));
        std::fprintf(stderr, "kotoyumi: %s:%ld: %s\n", shown.c_str(), long(line),
                     Script_lf_message(shown).c_str());
    }
    if (Script_utf8_start(ScriptBuffer, ScriptLength) >= 0)
        std::fprintf(stderr, "kotoyumi: %s: %s\n", shown.c_str(), Script_utf8_message(shown).c_str());
    return read;
}

FileRead Script_read_quietly(const char* path) {
    std::vector<uint8_t> bytes;
    const FileRead read = File_read_bytes(path, &bytes, SCRIPT_BUFFER_SIZE);
    if (read != FileRead::Ok) return read;
    return Script_use_text(path, bytes.data(), bytes.size());
}

FileRead Script_use_text(const char* path, const uint8_t* bytes, size_t n) {
    if (n > size_t(SCRIPT_BUFFER_SIZE)) return FileRead::TooLarge;
    if (n > 0) std::memcpy(ScriptBuffer, bytes, n);
    written = std::max(written, n);
    ScriptLength = int32_t(n);
    std::strncpy(ScriptFileName, path, SCRIPT_NAME_SIZE - 1);
    ScriptFileName[SCRIPT_NAME_SIZE - 1] = '\0';
    ScriptSource = {ScriptBuffer, ScriptLength};
    ScriptCursor = 0;
    return FileRead::Ok;
}

void Script_load_first() {
    ScriptCursor = 0;
    const FileRead result = Script_read(FIRST_SCRIPT);
    std::strncpy(ScriptFileName, FIRST_SCRIPT, SCRIPT_NAME_SIZE - 1);
    Text_defaults();
    Interpreter_start();
    if (result == FileRead::Ok) return;

    // Without its first script a game has nothing to play: say where it was looked for and end,
    // rather than stepping through an empty buffer in silence.
    const std::string where = Host_current_folder();
    const std::string text =
        std::string(result == FileRead::TooLarge
                        ? "最初の台本【 .\\txt\\config.txt 】が大きすぎて読み込めません（1MB まで）。"
                        : "最初の台本【 .\\txt\\config.txt 】が見つからないか、読み込めません。") +
        "\n\nゲームのフォルダ： " + where;
    Msg_box(text.c_str(), "Script_load_first()");
    System_exit_with(1);
}

void Script_reset() {
    std::memset(ScriptBuffer, 0, written);
    std::memset(ScriptFileName, 0, sizeof ScriptFileName);
    ScriptLength = 0;
    ScriptSource = {ScriptBuffer, 0};
    ScriptCursor = 0;
}

void Script_save(SaveStat* record) {
    record->Script_offset = Str_resume_offset();
    Record_put_text(record->Script_file, ScriptFileName);
}

void Script_restore(const SaveStat& record) {
    Script_read(record.Script_file);
    Str_leave_all();
    ScriptSource = {ScriptBuffer, ScriptLength};
    ScriptCursor = record.Script_offset;
}
