// The whole run of the program on the GTK platform: sets up the platform, the shared web
// context (the bundled site on the program's own scheme) and the web engine, creates the
// main form from a description, runs the message loop until the form is closed, then
// undoes what the panes changed for the user. Returns the process's exit code.
#pragma once

#include <string>

int RunPuzzlebin(int* argc, char*** argv, const std::string& description);
