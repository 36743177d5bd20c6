#pragma once
// What the editor panes build alike on screen: an icon-only tool bar whose buttons run editor
// commands, the pop-up menu that starts with "&Edit Item", and the buttons that follow the
// rows of the view they belong to.

#include <QIcon>
#include <functional>

#include "designer/frmMain/EditorState.h"

class QAbstractItemModel;
class QAbstractScrollArea;
class QAction;
class QMenu;
class QObject;
class QToolBar;
class QWidget;

namespace vantorell {

using EditorCommand = std::function<void(EditorState& editors)>;

class EditorToolBar {
public:
    // The bar lies in `pane`; each button's command is followed by `after`, when given, and a
    // repaint of `view`, which shows what the command changed.
    EditorToolBar(QWidget& pane, const char* name, EditorState& editors, QAbstractScrollArea& view,
                  std::function<void()> after = {});

    QToolBar* bar() const { return bar_; }
    QAction* button(const char* name, const char* hint, const QIcon& icon, EditorCommand command);

private:
    QToolBar* bar_;
    EditorState& editors_;
    QAbstractScrollArea& view_;
    std::function<void()> after_;
};

// A pop-up menu of `owner` whose first entry is "&Edit Item" (named `editItemName`, returned
// in `editItem`), not yet shown anywhere.
QMenu* pmuEditorMenuCreate(QWidget& owner, const char* name, const char* editItemName,
                           QAction*& editItem);
// The menu pops up where the context menu is asked for over `view`.
void nulEditorMenuPopupOn(QMenu& menu, QWidget& view);

// `update` runs whenever the model gains or loses rows.
void nulRowsFollow(const QAbstractItemModel& model, QObject& receiver,
                   const std::function<void()>& update);

}  // namespace vantorell
