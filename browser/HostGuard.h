// Host callbacks answer the web control with result codes and never let an exception
// reach it: an event handler's error goes to the application's error handler, and the
// callback answers its default.
#pragma once

#include <exception>

#include "base/Exceptions.h"
#include "platform/WebEngine.h"
#include "ui/Application.h"

template <class T, class F>
T GuardHostCall(T fallback, F&& call) {
    try {
        return call();
    } catch (const std::exception& e) {
        Application().HandleException(e);
    } catch (...) {
        Application().HandleException(Exception("Unknown error in a browser host handler"));
    }
    return fallback;
}

// The same for handlers without a result.
template <class F>
void GuardHostEvent(F&& call) {
    GuardHostCall(platform::kS_OK, [&] {
        call();
        return platform::kS_OK;
    });
}
