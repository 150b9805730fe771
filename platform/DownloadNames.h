// Names for downloaded files. The name a server or page suggests is outside data: it is
// reduced to a plain file name before it comes near the file system.
#pragma once

#include <functional>
#include <string>

namespace platform {

// A plain file name: the part after the last "/" or "\", without control characters,
// leading dots and blanks or trailing dots and blanks, at most 200 bytes (the extension
// kept, no character cut in two); "download" when nothing is left.
[[nodiscard]] std::string SafeDownloadName(const std::string& suggested);

// The path in `folder` for a download named `suggested`: the safe name, or, while `taken`
// says a path is in use, the name with " (1)", " (2)" ... before its extension.
[[nodiscard]] std::string DownloadDestination(
    const std::string& folder, const std::string& suggested,
    const std::function<bool(const std::string& path)>& taken);

}  // namespace platform
