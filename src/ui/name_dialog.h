// The name prompt of `text_input`: the engine's own modal dialog, drawn in the window over the
// picture on show, titled "名前を入力してください", with an edit box holding the default text
// (preselected, so typing replaces it), an OK button and a "ｷｬﾝｾﾙ" button.
//
// Typing arrives as the platform's text input, so an input method can compose Japanese.
// Backspace, Delete, Left, Right, Home and End edit; Enter is OK and Escape is Cancel. A character
// that Shift-JIS cannot hold, or that the interpreter would take for a control byte (# \ / { } ;),
// is refused with a message shown in the dialog; the text never grows past NAME_LIMIT Shift-JIS
// bytes. Under the headless runner the scenario answers it (System_wire_runner).
#pragma once

#include <string>

// The name prompt for the dialogs seam: the text in Shift-JIS, what the player typed on OK, or the
// default text on OK with an empty box and on Cancel.
std::string Name_dialog(const std::string& default_sjis);

// The prompt answered without being shown: `answer_utf8` typed over the default text as a player
// would type it, then OK. The result is what Name_dialog would return.
std::string Name_dialog_typed(const std::string& default_sjis, const std::string& answer_utf8);
