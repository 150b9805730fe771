// The framework's exception classes. Failures are raised as exceptions carrying a message
// text; the application's error handler shows uncaught ones.
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    [[nodiscard]] std::string Message() const { return what(); }
};

#define PB_DECLARE_EXCEPTION(Name, Base)                             \
    class Name : public Base {                                       \
    public:                                                          \
        explicit Name(const std::string& message) : Base(message) {} \
    }

PB_DECLARE_EXCEPTION(EStreamError, Exception);
PB_DECLARE_EXCEPTION(EReadError, EStreamError);
PB_DECLARE_EXCEPTION(EWriteError, EStreamError);
PB_DECLARE_EXCEPTION(EFOpenError, EStreamError);
PB_DECLARE_EXCEPTION(EFCreateError, EStreamError);
PB_DECLARE_EXCEPTION(EConvertError, Exception);
PB_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
PB_DECLARE_EXCEPTION(EInvalidOperation, Exception);
PB_DECLARE_EXCEPTION(EOutOfResources, Exception);
PB_DECLARE_EXCEPTION(EComponentError, Exception);
PB_DECLARE_EXCEPTION(EListError, Exception);
// A stored component description that cannot be read; the message names the line.
PB_DECLARE_EXCEPTION(EFilerError, EStreamError);
PB_DECLARE_EXCEPTION(EClassNotFound, EFilerError);
PB_DECLARE_EXCEPTION(EOleError, Exception);
PB_DECLARE_EXCEPTION(EOleSysError, EOleError);
