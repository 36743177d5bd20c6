#include "designer/frmMain/EditorToolBar.h"

#include <QAbstractItemModel>
#include <QAbstractScrollArea>
#include <QAction>
#include <QMenu>
#include <QToolBar>

#include "designer/frmMain/ToolButtons.h"
#include "designer/views/DimsCatsImages.h"

namespace vantorell {

EditorToolBar::EditorToolBar(QWidget& pane, const char* name, EditorState& editors,
                             QAbstractScrollArea& view, std::function<void()> after)
    : bar_(new QToolBar(&pane)), editors_(editors), view_(view), after_(std::move(after)) {
    bar_->setObjectName(QString::fromUtf8(name));
    bar_->setIconSize(QSize(kIconSize, kIconSize));
    bar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
}

QAction* EditorToolBar::button(const char* name, const char* hint, const QIcon& icon,
                               EditorCommand command) {
    QAction* b = tbnToolButtonAdd(*bar_, name, hint, icon);
    // The view is the connection's context: a button never reaches a view that is gone.
    QObject::connect(
        b, &QAction::triggered, &view_,
        [&editors = editors_, &view = view_, after = after_, command = std::move(command)] {
            command(editors);
            if (after) {
                after();
            }
            view.viewport()->update();
        });
    return b;
}

QMenu* pmuEditorMenuCreate(QWidget& owner, const char* name, const char* editItemName,
                           QAction*& editItem) {
    auto* menu = new QMenu(&owner);
    menu->setObjectName(QString::fromUtf8(name));
    editItem = menu->addAction(QStringLiteral("&Edit Item"));
    editItem->setObjectName(QString::fromUtf8(editItemName));
    return menu;
}

void nulEditorMenuPopupOn(QMenu& menu, QWidget& view) {
    view.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&view, &QWidget::customContextMenuRequested, &menu,
                     [&menu, &view](const QPoint& at) { menu.popup(view.mapToGlobal(at)); });
}

void nulRowsFollow(const QAbstractItemModel& model, QObject& receiver,
                   const std::function<void()>& update) {
    for (const auto signal :
         {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        QObject::connect(&model, signal, &receiver, update);
    }
}

}  // namespace vantorell
