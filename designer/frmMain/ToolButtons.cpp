#include "designer/frmMain/ToolButtons.h"

#include <QAction>
#include <QMenu>
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

QAction* tbnToolButtonAdd(QToolBar& toolBar, const char* name, const char* hint,
                          const QIcon& icon) {
    QAction* b = toolBar.addAction(icon, QString::fromUtf8(hint));
    b->setObjectName(QString::fromUtf8(name));
    b->setToolTip(QString::fromUtf8(hint));
    b->setStatusTip(b->toolTip());
    return b;
}

QAction* pmuPopupEntryAdd(QMenu& menu, const char* caption, QAction* runs) {
    QAction* item = menu.addAction(QString::fromUtf8(caption));
    QObject::connect(item, &QAction::triggered, runs, &QAction::trigger);
    QObject::connect(runs, &QAction::changed, item,
                     [item, runs] { item->setEnabled(runs->isEnabled()); });
    return item;
}

}  // namespace vantorell
