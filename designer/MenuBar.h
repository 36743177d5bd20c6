#pragma once
// The menu tool bar: shows the top-level items of a main menu as flat buttons with their
// captions; a button drops its item's submenu down and follows the item's caption, hint,
// enabled state and visibility.

#include <QMenuBar>
#include <QMetaObject>
#include <QPointer>
#include <QToolBar>
#include <vector>

class QToolButton;

namespace vantorell {

class TMenuBar : public QToolBar {
    Q_OBJECT
public:
    explicit TMenuBar(QWidget* owner);

    QMenuBar* Menu() const { return menu_; }
    // Setting the menu again changes nothing; another menu (or none) replaces the buttons.
    void setMenu(QMenuBar* menu);

    // One button per top-level item, in the menu's order.
    std::vector<QToolButton*> buttons() const;

private:
    struct Button {
        QAction* place;  // the button's place on the bar
        QToolButton* button;
        QMetaObject::Connection link;
    };
    void nulButtonsFree();
    void nulButtonLink(Button& button, QAction* item);

    QPointer<QMenuBar> menu_;
    QMetaObject::Connection menuGone_;
    std::vector<Button> buttons_;
};

}  // namespace vantorell
