#include "designer/MenuBar.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace vantorell {
namespace {

void nulButtonFollow(QToolButton& button, QAction& place, const QAction& item) {
    button.setText(item.text());
    button.setToolTip(item.statusTip());
    button.setStatusTip(item.statusTip());
    button.setMenu(item.menu<QMenu*>());
    button.setEnabled(item.isEnabled());
    place.setVisible(item.isVisible());
}

}  // namespace

TMenuBar::TMenuBar(QWidget* owner) : QToolBar(owner) {
    setObjectName(QStringLiteral("mbrMainMenus"));
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setContentsMargins(0, 0, 0, 0);
    // The menu is no tool bar the user could hide by the window's tool bar menu.
    toggleViewAction()->setVisible(false);
    // Menu captions, as in a menu bar: no drop-down arrows beside them.
    setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0px; }"));
}

void TMenuBar::setMenu(QMenuBar* menu) {
    if (menu == menu_) {
        return;
    }
    nulButtonsFree();
    menu_ = menu;
    if (menu == nullptr) {
        return;
    }
    // A menu that goes takes its buttons along.
    menuGone_ = connect(menu, &QObject::destroyed, this, [this] { nulButtonsFree(); });
    const QList<QAction*> items = menu->actions();
    for (qsizetype i = static_cast<qsizetype>(buttons_.size()); i < items.size(); ++i) {
        auto* button = new QToolButton(this);
        button->setAutoRaise(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setFocusPolicy(Qt::NoFocus);
        buttons_.push_back({addWidget(button), button, {}});
    }
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        nulButtonLink(buttons_[i], items.at(static_cast<qsizetype>(i)));
    }
}

void TMenuBar::nulButtonLink(Button& button, QAction* item) {
    disconnect(button.link);
    nulButtonFollow(*button.button, *button.place, *item);
    button.link = connect(
        item, &QAction::changed, button.button,
        [b = button.button, place = button.place, item] { nulButtonFollow(*b, *place, *item); });
}

void TMenuBar::nulButtonsFree() {
    disconnect(menuGone_);
    while (!buttons_.empty()) {
        Button& last = buttons_.back();
        disconnect(last.link);
        removeAction(last.place);
        delete last.place;  // and the button with it
        buttons_.pop_back();
    }
}

std::vector<QToolButton*> TMenuBar::buttons() const {
    std::vector<QToolButton*> result;
    for (const Button& b : buttons_) {
        result.push_back(b.button);
    }
    return result;
}

}  // namespace vantorell
