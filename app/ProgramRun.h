// The whole run of the program on the GTK platform: sets up the platform, the shared web
// context (the bundled site on the program's own scheme) and the web engine, creates the
// main form from a description, runs the message loop until the form is closed, then
// undoes what the panes changed for the user. Returns the process's exit code. The web
// engine comes up once the main window's first frame is on the screen; what the form asks
// of its panes before then waits for it, in order (browser/WebControlStart.h).
#pragma once

#include <string>

int RunPuzzlebin(int* argc, char*** argv, const std::string& description);
