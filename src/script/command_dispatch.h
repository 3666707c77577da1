// Command dispatch: the `#` command words and the `\` escape words, looked up in their tables.
//
// The command words' handlers live in the layers above the interpreter; the app layer hands their
// table over at start-up.
#pragma once

#include <cstddef>
#include <string>

struct CommandEntry {
    const char* word;
    void (*handler)(); // entered with the cursor on the word's last byte
    // The script checker's reading of the same arguments: entered and left as the handler is, it
    // reports what the handler would refuse and acts on nothing. nullptr: the word takes no argument.
    void (*check)();
};

// The `#` words, in their fixed order (the first entry with a matching word runs).
void Command_table_set(const CommandEntry* table, size_t count);

// The table handed over by Command_table_set, and its length in *count.
const CommandEntry* Command_table(size_t* count);

// The entry of `table` whose word is `word` and that has a handler; nullptr if none.
const CommandEntry* Command_find(const CommandEntry* table, size_t count, const std::string& word);

// The `\` words, as String_call knows them.
const CommandEntry* String_escape_table(size_t* count);

// True if the `#` under the cursor starts a comment (`##`): Command_call passes it over to its CR.
bool Command_is_comment();

// Passes over a comment to the CR that ends its line.
void Command_pass_comment();

// With the cursor on a `#` or `\`: reads the word after it (every byte above 0x20) and leaves the
// cursor on its last byte (on the `#` or `\` itself when it is empty). False for a word too long
// for the word buffer, which no table can hold.
bool Command_read_word(std::string* word);

// With the cursor on a `#`: a comment line (`##`) is passed over to its CR; otherwise the command
// word is read and its handler run, entered with the cursor on the word's last byte. A word with no
// handler shows the invalid-command box, and the rest of its line is then shown as text.
void Command_call();

// With the cursor on a `\`: reads the escape word and runs its handler; an unknown word shows the
// invalid-variable box.
void String_call();
