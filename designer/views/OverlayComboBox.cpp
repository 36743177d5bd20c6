#include "designer/views/OverlayComboBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

#include "designer/rtnGrids/StringGrid.h"
#include "designer/views/ViewKeys.h"

namespace vantorell {

OverlayComboBox::OverlayComboBox(ComboBox& combo, QWidget* parent)
    : QComboBox(parent), combo_(combo) {
    hide();
    combo_.setView(this);
    connect(this, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        if (!syncing_ && index >= 0) {
            combo_.setItemIndex(index);
        }
    });
    comboChanged();
}

OverlayComboBox::~OverlayComboBox() {
    combo_.setView(nullptr);
}

void OverlayComboBox::comboChanged() {
    syncing_ = true;
    const auto& items = combo_.items();
    bool same = count() == static_cast<int>(items.size());
    for (int i = 0; same && i < count(); ++i) {
        same = itemText(i).toStdString() == items[static_cast<std::size_t>(i)];
    }
    if (!same) {
        clear();
        for (const std::string& item : items) {
            addItem(QString::fromStdString(item));
        }
    }
    // A text missing from the list still shows.
    setPlaceholderText(combo_.itemIndex() < 0 ? QString::fromStdString(combo_.text()) : QString());
    setCurrentIndex(combo_.itemIndex());
    const Rect b = combo_.bounds();
    setGeometry(b.left, b.top, std::max(b.width(), 0), std::max(b.height(), 0));
    syncing_ = false;

    if (combo_.visible() && !isVisible()) {
        StringGrid* grid = combo_.grid();
        grid_ = grid != nullptr ? dynamic_cast<QWidget*>(grid->port()) : nullptr;
        show();
        raise();
    } else if (!combo_.visible() && isVisible()) {
        const QWidget* focus = QApplication::focusWidget();
        const bool hadFocus =
            focus != nullptr && (focus == this || isAncestorOf(focus) || focus == view());
        hidePopup();
        hide();
        if (hadFocus && grid_ != nullptr) {
            grid_->setFocus(Qt::OtherFocusReason);
        }
    }
}

void OverlayComboBox::focusCombo() {
    setFocus(Qt::OtherFocusReason);
}

void OverlayComboBox::keyPressEvent(QKeyEvent* event) {
    const int pressed = virtualKey(*event);
    int key = pressed;
    if (key != 0) {
        combo_.keyDown(key, shiftState(event->modifiers()));
        if (key == 0) {
            return;
        }
    }
    if (pressed == vk::Return || pressed == vk::Escape || pressed == vk::Left ||
        pressed == vk::Right) {
        return;  // the list logic has handled them
    }
    QComboBox::keyPressEvent(event);
}

void OverlayComboBox::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    const QWidget* focus = QApplication::focusWidget();
    if (event->reason() == Qt::PopupFocusReason || (focus != nullptr && focus == view())) {
        return;  // the list drops down: the edit goes on
    }
    combo_.exit();
}

}  // namespace vantorell
