#include "designer/rtnGrids/ComboBox.h"

#include <algorithm>

namespace vantorell {

void ComboBox::changed() {
    if (view_ != nullptr) {
        view_->comboChanged();
    }
}

void ComboBox::clearItems() {
    items_.clear();
    itemIndex_ = -1;
    text_.clear();
    changed();
}

void ComboBox::addItem(const std::string& item) {
    items_.push_back(item);
    changed();
}

void ComboBox::setItemIndex(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) {
        itemIndex_ = -1;
        text_.clear();
    } else {
        itemIndex_ = index;
        text_ = items_[static_cast<std::size_t>(index)];
    }
    changed();
}

void ComboBox::selectText(const std::string& text) {
    const auto it = std::find(items_.begin(), items_.end(), text);
    itemIndex_ = it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
    text_ = text;
    changed();
}

void ComboBox::setVisible(bool visible) {
    if (visible_ == visible) {
        return;
    }
    visible_ = visible;
    changed();
}

void ComboBox::setBounds(const Rect& bounds) {
    bounds_ = bounds;
    changed();
}

void ComboBox::setFocus() {
    if (view_ != nullptr) {
        view_->focusCombo();
    }
}

void ComboBox::openFor(StringGrid* grid, int col, int row) {
    grid_ = grid;
    col_ = col;
    row_ = row;
}

void ComboBox::keyDown(int& key, ShiftState shift) {
    if (onKeyDown) {
        onKeyDown(key, shift);
    }
}

void ComboBox::exit() {
    if (onExit) {
        onExit();
    }
}

}  // namespace vantorell
