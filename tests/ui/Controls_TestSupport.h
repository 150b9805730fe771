// Shared set-up for the framework's control and form tests: a fresh headless platform per
// test and a form that records the messages its window procedure sees.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "base/Exceptions.h"
#include "platform/headless/HeadlessPlatform.h"
#include "ui/Application.h"
#include "ui/Canvas.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Screen.h"

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform_ = &InstallHeadlessPlatform();
        Application().Initialize();
        Application().SetMainForm(nullptr);
        Application().OnException = nullptr;
        Application().OnMessage = nullptr;
        Application().Title = "Test";
    }
    void TearDown() override {
        Application().CancelHint();
        Application().SetMainForm(nullptr);
        Application().OnException = nullptr;
        Application().OnMessage = nullptr;
    }
    HeadlessPlatform& P() { return *platform_; }
    // The headless window of a shown form.
    platform::HeadlessWindow& W(TWinControl& c) {
        return *static_cast<platform::HeadlessWindow*>(c.PlatformWindow());
    }

    HeadlessPlatform* platform_ = nullptr;
};

// Records the messages (of a chosen set, or all) that reach a control's window procedure,
// then passes them on.
class MessageLog {
public:
    MessageLog(TControl& control, std::vector<uint32_t> interesting = {})
        : control_(control), interesting_(std::move(interesting)) {
        previous_ = control.WindowProc;
        control.WindowProc = [this](TMessage& m) {
            if (interesting_.empty() ||
                std::find(interesting_.begin(), interesting_.end(), m.Msg) != interesting_.end()) {
                entries.push_back(m);
            }
            previous_(m);
        };
    }
    ~MessageLog() { control_.WindowProc = previous_; }
    [[nodiscard]] std::vector<uint32_t> Messages() const {
        std::vector<uint32_t> out;
        for (const auto& m : entries) out.push_back(m.Msg);
        return out;
    }
    [[nodiscard]] int Count(uint32_t msg) const {
        return static_cast<int>(std::count_if(entries.begin(), entries.end(),
                                              [msg](const TMessage& m) { return m.Msg == msg; }));
    }
    std::vector<TMessage> entries;

private:
    TControl& control_;
    std::vector<uint32_t> interesting_;
    std::function<void(TMessage&)> previous_;
};

// A custom control that fills its client area with one colour when painted.
class SolidControl : public TCustomControl {
public:
    SolidControl(TComponent* owner, TColor fill) : TCustomControl(owner), fill_(fill) {}
    int paints = 0;

protected:
    void Paint() override {
        ++paints;
        Canvas().FillSolid(ClientRect(), fill_);
    }

private:
    TColor fill_;
};
