// The checker's walk through one script: byte by byte as the interpreter steps, but through every
// part of every block, handing each command to its check procedure from the engine's command
// table. It reports what stepping would stumble on, and counts what the summary shows.
#pragma once

// Walks the script in ScriptBuffer (ScriptSource set to it), findings counted in the current file.
// With `utf8` (the script is known to be UTF-8, and reported so), bytes that are not Shift-JIS are
// not reported one by one.
void Walk_script(bool utf8);
