// The GTK 3 backend of the platform interface (X11).
#pragma once

namespace platform {

// Selects the X11 backend, initialises GTK with the program's arguments and installs the
// backend as the current platform. Throws std::runtime_error when no display can be opened.
void InstallGtkPlatform(int* argc, char*** argv);

}  // namespace platform
