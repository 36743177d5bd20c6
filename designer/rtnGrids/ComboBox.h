#pragma once
// A drop-down list without widgets, laid over a grid cell as the cell's editor. A view shows
// it through ComboBoxView and reports the user's choices, keys and the loss of focus.

#include <functional>
#include <string>
#include <vector>

#include "designer/rtnGrids/GridTypes.h"

namespace vantorell {

class StringGrid;

class ComboBoxView {
public:
    virtual ~ComboBoxView() = default;
    virtual void comboChanged() = 0;
    virtual void focusCombo() = 0;
};

class ComboBox {
public:
    const std::vector<std::string>& items() const { return items_; }
    void clearItems();
    void addItem(const std::string& item);

    // The chosen entry, -1 for none; choosing an entry makes its text the combo's text.
    int itemIndex() const { return itemIndex_; }
    void setItemIndex(int index);
    const std::string& text() const { return text_; }
    // Chooses the entry equal to the text (none when no entry is equal) and keeps the text,
    // so that a value missing from the list is shown and written back unchanged.
    void selectText(const std::string& text);

    bool visible() const { return visible_; }
    void setVisible(bool visible);
    Rect bounds() const { return bounds_; }
    void setBounds(const Rect& bounds);
    void setFocus();

    // The cell the list was opened for; the list writes back into that cell only.
    void openFor(StringGrid* grid, int col, int row);
    void close() { grid_ = nullptr; }
    StringGrid* grid() const { return grid_; }
    int col() const { return col_; }
    int row() const { return row_; }

    // Called by the view: a key went down in the list, the list lost the focus.
    void keyDown(int& key, ShiftState shift);
    void exit();
    std::function<void(int& key, ShiftState shift)> onKeyDown;
    std::function<void()> onExit;

    void setView(ComboBoxView* view) { view_ = view; }

private:
    void changed();

    std::vector<std::string> items_;
    int itemIndex_ = -1;
    std::string text_;
    bool visible_ = false;
    Rect bounds_;
    StringGrid* grid_ = nullptr;
    int col_ = -1;
    int row_ = -1;
    ComboBoxView* view_ = nullptr;
};

}  // namespace vantorell
