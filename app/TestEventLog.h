// A diagnostic for end-to-end tests: with PUZZLEBIN_TEST_EVENTS=1 in the environment the
// program writes one line to stderr whenever a web pane finishes loading a document or
// fails to load one:
//   puzzlebin-event: loaded <pane> <x> <y> <width> <height> <address>
//   puzzlebin-event: failed <pane> <status> <address>
// (the pane's screen rectangle, so a test knows where to click). Nothing is written
// otherwise; the program keeps no log.
#pragma once

class TForm1;

[[nodiscard]] bool TestEventsRequested();
// Watches the form's three panes (only their document-complete and error events, which the
// form itself leaves unassigned).
void InstallTestEventLog(TForm1& form);
