// The skinned controls on the compiled-in skin, in a form with the demo's own frame: a
// titled expanding panel that rolls and closes, a page control with more tabs than fit
// (its skinned scroller appears), panels drawn from the skin and in their own look with a
// caption bar, a check box and a roll-up arrow, and a status strip.
//
// With PB_UIDEMO_EVENTS=1 in the environment it writes what happens to stderr, with the
// points (window coordinates) of what a test clicks:
//   uidemo-event: layout roll <x> <y> close <x> <y> tab1 <x> <y> scroller-up <x> <y>
//   uidemo-event: rolled <0|1> <expanel height>
//   uidemo-event: closed
//   uidemo-event: page <index>
//   uidemo-event: first-tab <index>
#pragma once

#include <memory>

#include "DemoFrame.h"
#include "ui/Forms.h"

class TspSkinData;
class TspSkinExPanel;
class TspSkinPageControl;

constexpr int kSkinDemoClientWidth = 640;
constexpr int kSkinDemoClientHeight = 420;
constexpr int kSkinDemoPageCount = 12;

class TSkinControlsDemoForm : public TForm {
public:
    explicit TSkinControlsDemoForm(TComponent* owner);
    [[nodiscard]] const char* ClassName() const override { return "TSkinControlsDemoForm"; }

    [[nodiscard]] TspSkinExPanel* Strip() const { return strip_; }
    [[nodiscard]] TspSkinPageControl* Pages() const { return pages_; }

private:
    void ApplySkinToControls(TWinControl& root);
    void ReportLayout();

    std::unique_ptr<DemoFrame> frame_;
    TspSkinData* skin_ = nullptr;
    TspSkinExPanel* strip_ = nullptr;
    TspSkinPageControl* pages_ = nullptr;
    bool events_ = false;
};
