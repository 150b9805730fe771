// What lies behind a skinned control, for controls blended with their background.
#pragma once

class TCanvas;
class TControl;

// Paints into `canvas` (the control's own coordinates) what lies behind the control: the
// parent's background and paint, then every earlier visible graphic or custom-drawn
// sibling that overlaps it (custom-drawn siblings with their custom-drawn children). The
// control itself and later siblings are not painted. The canvas state is restored.
void PaintParentBackground(TControl& control, TCanvas& canvas);
