// The program's log: one line for each thing it refused on the user's behalf (a page's
// launch of another program, a download nobody asked for, a proxy address it cannot use).
//
// Lines go to GLib's log under the domain "puzzlebin" at the "message" level: GLib writes
// them to stderr, and where stderr is the journal (a program started by a desktop session
// under systemd) into the journal, with GLIB_DOMAIN=puzzlebin. Tests put a sink of their own
// in its place (LogCapture).
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform {

inline constexpr const char* kLogDomain = "puzzlebin";

// Writes one line. Control characters (line breaks included) become "?", so one call is
// always one line; text past 1000 bytes is cut and ends in "...".
void LogLine(const std::string& text);

// The text as LogLine writes it.
[[nodiscard]] std::string LogLineText(const std::string& text);

// While a sink is set, every line goes to it instead of GLib. Returns the one before.
using LogSink = std::function<void(const std::string& line)>;
LogSink SetLogSink(LogSink sink);

// Collects the lines written while it lives (tests).
class LogCapture {
public:
    LogCapture()
        : previous_(SetLogSink([this](const std::string& line) { lines_.push_back(line); })) {}
    ~LogCapture() { SetLogSink(std::move(previous_)); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    [[nodiscard]] const std::vector<std::string>& Lines() const { return lines_; }
    void Clear() { lines_.clear(); }

private:
    std::vector<std::string> lines_;
    LogSink previous_;
};

}  // namespace platform
