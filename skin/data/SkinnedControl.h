// What a skinned form needs of every skinned control in its window when the skin changes.
// Skinned controls implement it; the form walks its control tree and calls it, so the form
// does not depend on the control classes.
#pragma once

#include <string>

class TspSkinData;

class ISkinnedControl {
public:
    virtual ~ISkinnedControl() = default;
    // The skin data component the control draws from, or nullptr.
    [[nodiscard]] virtual TspSkinData* SkinData() const = 0;
    // Before a skin change: forget the section index until the next read.
    virtual void ResetSkinIndex() = 0;
    // After a skin change: re-read the section and repaint (controls with their own
    // operation, such as the page control, override it).
    virtual void ApplySkin() = 0;
    // The skin area ([SKINAREAS]) a control placed by the skin names; empty for none.
    [[nodiscard]] virtual std::string AreaName() const { return {}; }
};
