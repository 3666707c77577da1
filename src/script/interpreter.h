// The script interpreter's per-frame tasks and the click-wait endings that the "go on" input calls.
#pragma once

// One step of the script (while text_on is 1).
void Text_task();
// Ends a `delay` pause when its time is up (while delay_on is 1).
void Delay_task();
// Blinks the wait icon during a `wait` click wait (while wait_on is 1).
void Wait_task();
// The story has ended and waits for the click that closes the program (while halt_on is 1).
void Halt_task();
// Blinks the wait icon during a page-end click wait (while page_wait_on is 1).
void Page_wait_task();
// Ends a `wait` click wait: erases the icon and resumes stepping.
void Wait_click();
// Ends a page-end wait: clears the page and resumes stepping at the text area's top-left.
void Page_wait_click();
