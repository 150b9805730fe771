#include "browser/BrowserErrors.h"

#include <cstdio>

std::string OleErrorMessage(platform::HResult code) {
    switch (static_cast<uint32_t>(code)) {
        case 0x80004001:
            return "Not implemented";
        case 0x80004002:
            return "No such interface supported";
        case 0x80004005:
            return "Unspecified error";
        case 0x8000FFFF:
            return "Catastrophic failure";
        case 0x80070057:
            return "The parameter is incorrect";
        case 0x80020003:
            return "Member not found";
        case 0x80020005:
            return "Type mismatch";
        case 0x80040100:
            return "The command is not supported";
        case 0x80040101:
            return "The command is disabled";
        case 0x80040154:
            return "Class not registered";
        default:
            break;
    }
    char text[32];
    std::snprintf(text, sizeof text, "OLE error %08X", static_cast<unsigned>(code));
    return text;
}

EOleResultError::EOleResultError(platform::HResult code)
    : EOleSysError(OleErrorMessage(code)), code_(code) {}

void OleCheck(platform::HResult code) {
    if (platform::Failed(code)) throw EOleResultError(code);
}
