// What the handlers of the skinned form's message table get besides the message: the
// owner's previous window procedure, which each handler calls where the message's order of
// effects puts it (before, after or between its own steps), or not at all when the form
// answers the message itself.
#pragma once

#include <functional>

#include "base/Messages.h"

class TspSkinForm;

class TspPreviousProc {
public:
    explicit TspPreviousProc(const std::function<void(TMessage&)>& proc) : proc_(proc) {}
    // Nothing when the owner had no procedure.
    void operator()(TMessage& m) const {
        if (proc_) proc_(m);
    }

private:
    const std::function<void(TMessage&)>& proc_;
};

// A handler of the form's message table.
using TspMessageHandler = void (*)(TspSkinForm& form, TMessage& m, const TspPreviousProc& previous);
