#pragma once

namespace corvane {

class frmMain;

// Gives every field of the window the name and description a screen reader announces. The
// window calls it once its controls are built.
void NameControlsForAccessibility(frmMain& w);

}  // namespace corvane
