#include "script/script_file.h"

#include <cstring>
#include <string>
#include <vector>

#include "core/dialogs.h"
#include "core/file_io.h"
#include "core/lifecycle.h"
#include "core/save_stat.h"
#include "core/sjis.h"
#include "platform/host_files.h"
#include "script/interpreter.h"
#include "script/string_vars.h"
#include "script/text_settings.h"

uint8_t ScriptBuffer[SCRIPT_BUFFER_SIZE];
char ScriptFileName[SCRIPT_NAME_SIZE];
int32_t ScriptLength = 0;
ScriptText ScriptSource = {ScriptBuffer, 0};
int32_t ScriptCursor = 0;

namespace {
constexpr const char* FIRST_SCRIPT = ".\\txt\\config.txt";
} // namespace

FileRead Script_read(const char* path) {
    std::vector<uint8_t> bytes;
    const FileRead read = File_read_bytes(path, &bytes, SCRIPT_BUFFER_SIZE);
    if (read != FileRead::Ok) return read;
    if (!bytes.empty()) std::memcpy(ScriptBuffer, bytes.data(), bytes.size());
    ScriptLength = int32_t(bytes.size());
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
    std::memset(ScriptBuffer, 0, sizeof ScriptBuffer);
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
