#include "platform/Log.h"

#include <glib.h>

#include <algorithm>

namespace platform {
namespace {

constexpr size_t kMaxLineBytes = 1000;

LogSink& Sink() {
    static LogSink sink;
    return sink;
}

}  // namespace

std::string LogLineText(const std::string& text) {
    std::string line;
    line.reserve(std::min(text.size(), kMaxLineBytes + 3));
    for (char c : text) {
        if (line.size() >= kMaxLineBytes) {
            // Never end inside a UTF-8 sequence.
            while (!line.empty() && (static_cast<unsigned char>(line.back()) & 0xC0) == 0x80)
                line.pop_back();
            if (!line.empty() && (static_cast<unsigned char>(line.back()) & 0x80)) line.pop_back();
            line += "...";
            return line;
        }
        const auto u = static_cast<unsigned char>(c);
        line += (u < 0x20 || u == 0x7F) ? '?' : c;
    }
    return line;
}

void LogLine(const std::string& text) {
    const std::string line = LogLineText(text);
    if (const LogSink& sink = Sink()) {
        sink(line);
        return;
    }
    g_log(kLogDomain, G_LOG_LEVEL_MESSAGE, "%s", line.c_str());
}

LogSink SetLogSink(LogSink sink) {
    LogSink previous = std::move(Sink());
    Sink() = std::move(sink);
    return previous;
}

}  // namespace platform
