// A small dialog box in the skin of another form: a TForm framed by a TspSkinForm on the
// given skin data, a message, an optional one-line entry and a row of skinned buttons. It
// is not modal: it reports the answer (OnAnswer) and leaves it to its owner to hide or free
// it. Enter accepts, Escape, the frame's close button and Alt+F4 cancel. The buttons and the
// message carry their texts as names (Name(), Caption()) for assistive technology.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/Forms.h"

class TLabel;
class TspSkinButton;
class TspSkinData;
class TspSkinEdit;
class TspSkinForm;

struct TspSkinDialogButton {
    std::string caption;
    bool accepts = false;  // true: the answer is "accepted"
};

class TspSkinDialogForm : public TForm {
public:
    // `skinData` may be null or empty: the frame and controls then draw their default look.
    TspSkinDialogForm(TComponent* owner, TspSkinData* skinData, const std::string& caption,
                      const std::string& message, const std::vector<TspSkinDialogButton>& buttons,
                      bool withEntry, const std::string& entryText = "");
    ~TspSkinDialogForm() override;
    [[nodiscard]] const char* ClassName() const override { return "TspSkinDialogForm"; }

    // Called once per showing, with the user's answer (the form stays as it is).
    std::function<void(bool accepted)> OnAnswer;
    // Answers as the buttons, Enter and Escape do.
    void Answer(bool accepted);
    // Shows the form (again) with the focus on the entry, else on the accepting button.
    void ShowDialog();

    [[nodiscard]] TspSkinForm* SkinForm() const { return skinForm_; }
    [[nodiscard]] TLabel* Message() const { return message_; }
    [[nodiscard]] TspSkinEdit* Entry() const { return entry_; }
    [[nodiscard]] const std::vector<TspSkinButton*>& Buttons() const { return buttons_; }
    [[nodiscard]] std::string EntryText() const;

private:
    void Layout(int buttonCount);
    void KeyPreviewed(uint16_t& key);

    TspSkinForm* skinForm_ = nullptr;
    TLabel* message_ = nullptr;
    TspSkinEdit* entry_ = nullptr;
    std::vector<TspSkinButton*> buttons_;
    std::vector<bool> accepts_;
    bool answered_ = false;
};
