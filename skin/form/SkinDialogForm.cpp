#include "skin/form/SkinDialogForm.h"

#include <algorithm>

#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Label.h"

namespace {

constexpr int kMargin = 12;
constexpr int kMessageWidth = 420;
constexpr int kButtonWidth = 88;  // at least; wider for a longer caption
constexpr int kButtonHeight = 24;
constexpr int kEntryHeight = 22;
constexpr int kSpacing = 8;
constexpr int kMaxMessageHeight = 400;

}  // namespace

TspSkinDialogForm::TspSkinDialogForm(TComponent* owner, TspSkinData* skinData,
                                     const std::string& caption, const std::string& message,
                                     const std::vector<TspSkinDialogButton>& buttons,
                                     bool withEntry, const std::string& entryText)
    : TForm(owner) {
    SetCaption(caption);
    SetBorderIcons(biSystemMenu);
    SetFormStyle(fsStayOnTop);
    Position = poMainFormCenter;
    KeyPreview = true;

    skinForm_ = new TspSkinForm(this);
    skinForm_->SetBorderIcons(biSystemMenu);
    skinForm_->Sizeable = false;
    skinForm_->SetSkinData(skinData);
    skinForm_->SetMenusSkinData(skinData);

    message_ = new TLabel(this);
    message_->SetName("Message");
    message_->SetParent(this);
    message_->SetTransparent(true);
    message_->SetShowAccelChar(false);
    message_->SetWordWrap(true);
    message_->SetBounds(kMargin, kMargin, kMessageWidth, 16);
    message_->SetCaption(message);

    if (withEntry) {
        entry_ = new TspSkinEdit(this);
        entry_->SetName("Entry");
        entry_->SetParent(this);
        entry_->SetSkinData(skinData);
        entry_->SetText(entryText);
    }
    for (const TspSkinDialogButton& b : buttons) {
        auto* button = new TspSkinButton(this);
        button->SetName(b.accepts ? "Accept" : "Cancel");
        button->SetParent(this);
        button->SetSkinData(skinData);
        button->SetCaption(b.caption);
        button->SetDefault(b.accepts);
        const bool accepts = b.accepts;
        button->OnClick = [this, accepts](TComponent*) { Answer(accepts); };
        buttons_.push_back(button);
        accepts_.push_back(b.accepts);
    }
    Layout(static_cast<int>(buttons.size()));

    OnKeyDown = [this](TComponent*, uint16_t& key, TShiftState) { KeyPreviewed(key); };
    // The frame's close button and Alt+F4 cancel; the window only hides (its owner frees it).
    OnClose = [this](TComponent*, TCloseAction& action) {
        action = caNone;
        Answer(false);
    };
}

TspSkinDialogForm::~TspSkinDialogForm() = default;

void TspSkinDialogForm::Layout(int buttonCount) {
    message_->AdjustBounds();
    const int messageHeight = std::min(message_->Height(), kMaxMessageHeight);
    message_->SetBounds(kMargin, kMargin, kMessageWidth, messageHeight);
    int y = kMargin + messageHeight + kSpacing;
    if (entry_) {
        entry_->SetBounds(kMargin, y, kMessageWidth, kEntryHeight);
        y += entry_->Height() + kSpacing;
    }
    const int clientWidth = kMessageWidth + 2 * kMargin;
    std::vector<int> widths;
    int total = std::max(0, buttonCount - 1) * kSpacing;
    TBitmap probe;
    probe.SetSize(1, 1);
    for (TspSkinButton* button : buttons_) {
        probe.Canvas().Font = button->DefaultFont();
        widths.push_back(std::max(kButtonWidth, probe.Canvas().TextWidth(button->Caption()) + 24));
        total += widths.back();
    }
    int x = clientWidth - kMargin - total;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i]->SetBounds(x, y, widths[i], kButtonHeight);
        x += widths[i] + kSpacing;
    }
    int bottom = y;
    for (TspSkinButton* button : buttons_)
        bottom = std::max(bottom, button->Top() + button->Height());
    SetClientWidth(clientWidth);
    SetClientHeight(bottom + kMargin);
}

void TspSkinDialogForm::KeyPreviewed(uint16_t& key) {
    if (key == VK_RETURN || key == VK_ESCAPE) {
        const bool accepted = key == VK_RETURN;
        key = 0;
        Answer(accepted);
    }
}

void TspSkinDialogForm::Answer(bool accepted) {
    if (answered_) return;
    answered_ = true;
    if (OnAnswer) OnAnswer(accepted);
}

void TspSkinDialogForm::ShowDialog() {
    answered_ = false;
    Show();
    TWinControl* focus = entry_;
    for (size_t i = 0; !focus && i < buttons_.size(); ++i)
        if (accepts_[i]) focus = buttons_[i];
    if (!focus && !buttons_.empty()) focus = buttons_.front();
    if (focus && focus->CanFocus()) focus->SetFocus();
}

std::string TspSkinDialogForm::EntryText() const { return entry_ ? entry_->Text() : ""; }
