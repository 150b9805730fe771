// A diagnostic for end-to-end tests: with PUZZLEBIN_TEST_EVENTS=1 in the environment the
// program writes one line to stderr whenever a web pane finishes loading a document or
// fails to load one:
//   puzzlebin-event: loaded <pane> <x> <y> <width> <height> <address>
//   puzzlebin-event: failed <pane> <status> <address>
// and once when the form is shown:
//   puzzlebin-event: shown <client x> <client y> <client width> <client height> tab2 <x> <y> <width> <height>
// (screen rectangles, so a test knows where to look and click). Nothing is written
// otherwise; the program keeps no log.
#pragma once

class TForm1;

[[nodiscard]] bool TestEventsRequested();
// Watches the form's three panes (only their document-complete and error events, which the
// form itself leaves unassigned).
void InstallTestEventLog(TForm1& form);
