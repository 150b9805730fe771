// Errors of the browser wrapper.
#pragma once

#include <cstdint>
#include <string>

#include "base/Exceptions.h"
#include "platform/WebEngine.h"

// A cast to an interface the object does not offer ("Interface not supported").
PB_DECLARE_EXCEPTION(EIntfCastError, Exception);

// A failure code of the web control raised as an error; the message is the code's text.
class EOleResultError : public EOleSysError {
public:
    explicit EOleResultError(platform::HResult code);
    [[nodiscard]] platform::HResult ErrorCode() const { return code_; }

private:
    platform::HResult code_;
};

// The text for a result code: the system's wording for the common ones, otherwise
// "OLE error XXXXXXXX".
[[nodiscard]] std::string OleErrorMessage(platform::HResult code);

// Raises EOleResultError when `code` is a failure.
void OleCheck(platform::HResult code);
