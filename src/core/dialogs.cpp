#include "core/dialogs.h"

#include <cstdio>

namespace {

const DialogProcs* Procs = nullptr;

BoxAnswer Box(const char* text, const char* caption, BoxKind kind) {
    if (Procs) return Procs->box(text, caption, kind);
    std::fprintf(stderr, "kotoyumi: [%s] %s\n", caption, text);
    return kind == BoxKind::Ok ? BoxAnswer::Ok : BoxAnswer::No;
}

} // namespace

void Dialogs_set(const DialogProcs* procs) {
    Procs = procs;
}

const DialogProcs* Dialogs_get() {
    return Procs;
}

void Msg_box(const char* text_utf8, const char* caption_utf8) {
    Box(text_utf8, caption_utf8, BoxKind::Ok);
}

BoxAnswer Msg_box_yes_no(const char* text_utf8, const char* caption_utf8) {
    return Box(text_utf8, caption_utf8, BoxKind::YesNo);
}

std::string Name_prompt(const std::string& default_sjis) {
    return Procs ? Procs->name_prompt(default_sjis) : default_sjis;
}
