#include "designer/frmMain/ToolButtons.h"

#include <QAction>
#include <QToolBar>
#include <QWidgetAction>
#include <algorithm>

namespace vantorell {

void nulToolButtonsEnable(QToolBar& toolBar, int firstIndex, int buttonCount, bool enabled) {
    QList<QAction*> buttons;
    for (QAction* action : toolBar.actions()) {
        if (qobject_cast<QWidgetAction*>(action) == nullptr) {
            buttons.append(action);
        }
    }
    const int last = std::min<int>(buttonCount, static_cast<int>(buttons.size()));
    for (int i = std::max(firstIndex, 0); i < last; ++i) {
        buttons[i]->setEnabled(enabled);
    }
}

}  // namespace vantorell
