#pragma once

#include <QIcon>

class QAction;
class QMenu;
class QToolBar;

namespace vantorell {

// Enables or disables the tool bar's buttons from `firstIndex` up to `buttonCount` - 1.
// Buttons are the bar's actions in order, separators included; controls placed on the bar
// (combo boxes, labels) are not buttons. Nothing happens when `firstIndex` is not below
// `buttonCount`; indexes past the bar's last button are ignored.
void nulToolButtonsEnable(QToolBar& toolBar, int firstIndex, int buttonCount, bool enabled);

// A tool button named `name` whose hint is its tool tip and status tip.
QAction* tbnToolButtonAdd(QToolBar& toolBar, const char* name, const char* hint, const QIcon& icon);

// A pop-up entry that runs the button and follows its enabled state.
QAction* pmuPopupEntryAdd(QMenu& menu, const char* caption, QAction* runs);

}  // namespace vantorell
