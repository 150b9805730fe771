#include "platform/Platform.h"

#include <stdexcept>

namespace platform {
namespace {
std::unique_ptr<Platform>& Slot() {
    static std::unique_ptr<Platform> slot;
    return slot;
}
}  // namespace

Platform& Current() {
    if (!Slot()) throw std::logic_error("no platform backend has been installed");
    return *Slot();
}

void SetCurrent(std::unique_ptr<Platform> platform) { Slot() = std::move(platform); }

bool HasCurrent() { return static_cast<bool>(Slot()); }

}  // namespace platform
