// The UI demo's main form: nested aligned panels, a page control with several tabs, a label
// in Chinese and English, inside the form's own frame (DemoFrame).
#pragma once

#include <memory>

#include "DemoFrame.h"
#include "ui/Forms.h"

constexpr int kDemoClientWidth = 640;
constexpr int kDemoClientHeight = 420;

class TDemoForm : public TForm {
public:
    explicit TDemoForm(TComponent* owner);
    [[nodiscard]] const char* ClassName() const override { return "TDemoForm"; }

private:
    std::unique_ptr<DemoFrame> frame_;
};
