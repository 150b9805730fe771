// The skinned frame of the skin demo's window: a TspSkinForm on the compiled-in skin,
// with the skin data and its container, owned by the form.
#pragma once

class TCustomForm;
class TspSkinData;
class TspSkinForm;

struct SkinDemoFrame {
    TspSkinForm* skinForm = nullptr;
    TspSkinData* skinData = nullptr;
};

// Frames the form and loads the compiled-in skin into it.
SkinDemoFrame AttachSkinnedFrame(TCustomForm& form);
