// Shared helpers of the GTK backend tests: they run against a real X display.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <vector>

#include "platform/Platform.h"

namespace gtktest {

// Runs the main loop until `condition` holds or `timeoutMs` passes; returns the condition.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000);

// Waits until the X server has handled every request so far and its events are processed.
void Flush();

// A window sink that records what arrives.
struct RecordingSink : platform::WindowSink {
    std::vector<TRect> exposes;
    std::vector<platform::MouseEvent> mice;
    std::vector<platform::KeyEvent> keys;
    std::vector<TRect> configures;
    int closeRequests = 0;
    int grabBroken = 0;
    std::vector<bool> focus;
    std::function<void(const TRect&)> onExpose;

    void OnExpose(const TRect& dirty) override {
        exposes.push_back(dirty);
        if (onExpose) onExpose(dirty);
    }
    void OnMouse(const platform::MouseEvent& e) override { mice.push_back(e); }
    void OnKey(const platform::KeyEvent& e) override { keys.push_back(e); }
    void OnConfigured(const TRect& r) override { configures.push_back(r); }
    void OnFocusChanged(bool f) override { focus.push_back(f); }
    void OnCloseRequest() override { ++closeRequests; }
    void OnIconified(bool) override {}
    void OnGrabBroken() override { ++grabBroken; }
};

// A solid image of one colour (0x00RRGGBB).
struct SolidImage {
    SolidImage(int w, int h, uint32_t colour)
        : width(w), height(h), pixels(size_t(w) * size_t(h), colour) {}
    [[nodiscard]] platform::ImageView View() const { return {pixels.data(), width, height, width}; }
    int width;
    int height;
    std::vector<uint32_t> pixels;
};

// One screen pixel (0x00RRGGBB).
uint32_t ScreenPixel(int x, int y);

}  // namespace gtktest
