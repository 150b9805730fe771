// A diagnostic for end-to-end tests: with PUZZLEBIN_TEST_EVENTS=1 in the environment the
// program writes one line to stderr whenever a web pane finishes loading a document or
// fails to load one:
//   puzzlebin-event: loaded <pane> <x> <y> <width> <height> <address>
//   puzzlebin-event: failed <pane> <status> <address>
// once when the form is shown:
//   puzzlebin-event: shown <client x> <client y> <client width> <client height> tab2 <x> <y>
//   <width> <height>
// after each move or size of the window by its frame:
//   puzzlebin-event: sized <client x> <client y> <client width> <client height> ContentWB <x> <y>
//   <w> <h> NavWB ... quillMartWB ...
// and whenever the window opens a skinned menu:
//   puzzlebin-event: menu <x> <y> <width> <height> item1 <x> <y> <width> <height> <caption>=<short
//   cut>;...
// (screen rectangles, so a test knows where to look and click). It only watches: the
// program's own handlers and events stay as they are. Nothing is written otherwise; the
// refusals the program logs (platform/Log.h) are another matter.
#pragma once

class TForm1;

[[nodiscard]] bool TestEventsRequested();
// Watches the form's window messages and its three panes' browser events.
void InstallTestEventLog(TForm1& form);
