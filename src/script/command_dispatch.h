// Command dispatch: the `#` command words and the `\` escape words, looked up in their tables.
//
// The command words' handlers live in the layers above the interpreter; the app layer hands their
// table over at start-up.
#pragma once

#include <cstddef>

struct CommandEntry {
    const char* word;
    void (*handler)(); // entered with the cursor on the word's last byte
};

// The `#` words, in their fixed order (the first entry with a matching word runs).
void Command_table_set(const CommandEntry* table, size_t count);

// With the cursor on a `#`: a comment line (`##`) is passed over to its CR; otherwise the command
// word is read and its handler run, entered with the cursor on the word's last byte. A word with no
// handler shows the invalid-command box, and the rest of its line is then shown as text.
void Command_call();

// With the cursor on a `\`: reads the escape word and runs its handler; an unknown word shows the
// invalid-variable box.
void String_call();
