#include "sound/media_strings.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "core/run_log.h"
#include "core/sjis.h"
#include "platform/platform.h"

namespace {

struct Alias {
    std::string name; // empty: the entry is free
    bool open = false;
    int failed = MEDIA_OK; // why the last open of this alias failed
    int slot = -1;
};

std::array<Alias, MUSIC_SLOTS> Aliases;
std::string DecoderReason; // the platform's words for the last decoder refusal

Alias* Find(const std::string& name) {
    for (Alias& a : Aliases)
        if (!a.name.empty() && a.name == name) return &a;
    return nullptr;
}

Alias* Free_entry() {
    for (Alias& a : Aliases)
        if (a.name.empty()) return &a;
    return nullptr;
}

int Slot_of(const Alias* a) {
    return int(a - Aliases.data());
}

bool Starts_like_midi(const uint8_t* b, size_t n) {
    return n >= 4 && std::memcmp(b, "MThd", 4) == 0;
}

// An ID3 tag, or an MPEG audio frame header (11 sync bits, a layer other than the reserved one).
bool Starts_like_mp3(const uint8_t* b, size_t n) {
    if (n >= 3 && std::memcmp(b, "ID3", 3) == 0) return true;
    return n >= 2 && b[0] == 0xFF && (b[1] & 0xE0) == 0xE0 && (b[1] & 0x06) != 0;
}

// Checks the file and has the platform prepare it.
int Open_file(Alias* a, const std::string& path, MusicKind kind) {
    std::vector<uint8_t> bytes;
    switch (
        File_read_bytes(path.c_str(), &bytes, kind == MusicKind::Midi ? MIDI_FILE_LIMIT : MP3_FILE_LIMIT)) {
    case FileRead::Ok:
        break;
    case FileRead::Outside:
        return MEDIA_ERR_OUTSIDE;
    case FileRead::TooLarge:
        return MEDIA_ERR_TOO_LARGE;
    case FileRead::CannotOpen:
        return MEDIA_ERR_FILE_NOT_FOUND;
    }
    if (!Media_starts_like(kind, bytes.data(), bytes.size()))
        return kind == MusicKind::Midi ? MEDIA_ERR_NOT_MIDI : MEDIA_ERR_NOT_MP3;
    char reason[256] = {};
    if (!Platform_music_open(Slot_of(a), bytes.data(), bytes.size(), kind, reason, sizeof reason)) {
        DecoderReason = reason;
        return MEDIA_ERR_DECODER;
    }
    return MEDIA_OK;
}

int Open(const std::vector<std::string>& w) {
    if (w.size() != 6 || w[2] != "type" || w[4] != "alias") return MEDIA_ERR_SYNTAX;
    MusicKind kind;
    if (w[3] == "sequencer")
        kind = MusicKind::Midi;
    else if (w[3] == "mpegvideo")
        kind = MusicKind::Mp3;
    else
        return MEDIA_ERR_UNKNOWN_TYPE;
    Alias* a = Find(w[5]);
    if (a && a->open) return MEDIA_ERR_ALIAS_IN_USE;
    if (!a) a = Free_entry();
    if (!a) return MEDIA_ERR_TOO_MANY_OPEN;
    a->name = w[5];
    a->failed = Open_file(a, w[1], kind);
    a->open = a->failed == MEDIA_OK;
    return a->failed;
}

// The other commands: a verb, an alias and fixed words.
int On_alias(const std::vector<std::string>& w, std::string* answer) {
    if (w.size() < 2) return MEDIA_ERR_SYNTAX;
    const std::string& verb = w[0];
    const bool capability =
        verb == "capability" && w.size() == 5 && w[2] == "can" && w[3] == "play" && w[4] == "wait";
    const bool seek = verb == "seek" && w.size() == 4 && w[2] == "to" && w[3] == "start";
    const bool play = verb == "play" && w.size() == 3 && w[2] == "notify";
    const bool plain = (verb == "stop" || verb == "close") && w.size() == 2;
    if (!capability && !seek && !play && !plain) {
        const bool known =
            verb == "capability" || verb == "seek" || verb == "play" || verb == "stop" || verb == "close";
        return known ? MEDIA_ERR_SYNTAX : MEDIA_ERR_UNKNOWN_COMMAND;
    }
    Alias* a = Find(w[1]);
    if (!a || !a->open) {
        const int failed = a ? a->failed : MEDIA_OK;
        if (a && verb == "close") *a = Alias{};
        return failed != MEDIA_OK && verb != "close" ? failed : MEDIA_ERR_ALIAS_NOT_OPEN;
    }
    const int slot = Slot_of(a);
    if (capability) *answer = "true";
    if (play) Platform_music_play(slot); // from the start: a piece is only ever played from there
    if (verb == "stop") Platform_music_stop(slot);
    if (verb == "close") {
        Platform_music_close(slot);
        *a = Alias{};
    }
    return MEDIA_OK;
}

std::vector<std::string> Words(const char* command) {
    std::vector<std::string> words;
    std::istringstream in(command);
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

} // namespace

int Media_send(const char* command, char* answer_out, size_t answer_size) {
    const std::vector<std::string> w = Words(command);
    std::string answer;
    int code = MEDIA_ERR_UNKNOWN_COMMAND;
    if (!w.empty() && w[0] == "open")
        code = Open(w);
    else if (!w.empty())
        code = On_alias(w, &answer);
    if (answer_out && answer_size > 0) {
        const size_t n = answer.size() < answer_size - 1 ? answer.size() : answer_size - 1;
        answer.copy(answer_out, n);
        answer_out[n] = '\0';
    }
    std::string line = "sound \"" + Platform_log_escape(Sjis_to_utf8(command)) + "\"";
    if (w.size() > 0 && w[0] == "capability") line += " -> \"" + Platform_log_escape(answer) + "\"";
    if (code != MEDIA_OK) line += " error " + std::to_string(code);
    Run_log(line.c_str());
    return code;
}

void Media_error_text(int code, char* text, size_t size) {
    std::string s;
    switch (code) {
    case MEDIA_OK:
        s = "エラーはありません。";
        break;
    case MEDIA_ERR_UNKNOWN_COMMAND:
        s = "知らない命令です。";
        break;
    case MEDIA_ERR_SYNTAX:
        s = "命令の書き方が違います。";
        break;
    case MEDIA_ERR_UNKNOWN_TYPE:
        s = "知らない装置の種類です（sequencer か mpegvideo）。";
        break;
    case MEDIA_ERR_ALIAS_NOT_OPEN:
        s = "その名前の装置は開かれていません。";
        break;
    case MEDIA_ERR_ALIAS_IN_USE:
        s = "その名前の装置はもう開かれています。";
        break;
    case MEDIA_ERR_TOO_MANY_OPEN:
        s = "開いている装置が多すぎます。";
        break;
    case MEDIA_ERR_FILE_NOT_FOUND:
        s = "ファイルが見つからないか、読み込めません。";
        break;
    case MEDIA_ERR_NOT_MIDI:
        s = "MIDI ファイルではありません（先頭に MThd がありません）。";
        break;
    case MEDIA_ERR_NOT_MP3:
        s = "MP3 ファイルではありません（ID3 タグもフレームの始まりもありません）。";
        break;
    case MEDIA_ERR_DECODER:
        s = "音楽データを読み込めません（" + DecoderReason + "）。";
        break;
    case MEDIA_ERR_OUTSIDE:
        s = "ゲームのフォルダの外を指しているので、開きません。";
        break;
    case MEDIA_ERR_TOO_LARGE:
        s = "ファイルが大きすぎます（MIDI は 8MB、MP3 は 64MB まで）。";
        break;
    default:
        s = "不明なエラーです（" + std::to_string(code) + "）。";
        break;
    }
    if (size == 0) return;
    size_t n = s.size() < size - 1 ? s.size() : size - 1;
    while (n > 0 && n < s.size() && (uint8_t(s[n]) & 0xC0) == 0x80)
        --n; // never split a character
    s.copy(text, n);
    text[n] = '\0';
}

bool Media_starts_like(MusicKind kind, const uint8_t* head, size_t n) {
    return kind == MusicKind::Midi ? Starts_like_midi(head, n) : Starts_like_mp3(head, n);
}

void Media_reset() {
    for (Alias& a : Aliases) {
        if (a.open) Platform_music_close(Slot_of(&a));
        a = Alias{};
    }
    DecoderReason.clear();
}
