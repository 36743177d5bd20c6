#pragma once

class QToolBar;

namespace vantorell {

// Enables or disables the tool bar's buttons from `firstIndex` up to `buttonCount` - 1.
// Buttons are the bar's actions in order, separators included; controls placed on the bar
// (combo boxes, labels) are not buttons. Nothing happens when `firstIndex` is not below
// `buttonCount`; indexes past the bar's last button are ignored.
void nulToolButtonsEnable(QToolBar& toolBar, int firstIndex, int buttonCount, bool enabled);

}  // namespace vantorell
