#pragma once
// The designer's main window shown and active with a copy of a sample model open, driven as a
// user drives it: clicks on the tree, on grid cells, tabs and tool buttons, and keys typed
// into whatever holds the focus, so that the focus moves as the application moves it.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "designer/frmMain/TForm1.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

class QAction;

namespace vantorell::test {

class ShownModel {
public:
    using Edits = std::vector<std::pair<std::string, std::string>>;

    // Copies the model of the source tree (e.g. "examples/sales.vtm") into a fresh program
    // folder, each text of `edits` replaced by its partner, shows the window and opens the
    // copy.
    explicit ShownModel(const std::string& example, const Edits& edits = {});
    ~ShownModel();
    ShownModel(const ShownModel&) = delete;
    ShownModel& operator=(const ShownModel&) = delete;

    TForm1& form() const { return *form_; }
    EditorState& editors() const { return form_->editors; }
    TestMessages& messages() { return messages_; }
    const std::string& file() const { return file_; }

    // The node at a path of names ("Product/Beverages"); none when there is none.
    TreeNode* node(const std::string& path) const;
    // Clicks the node, expanding its parents on the way with the Right key.
    void clickNode(const std::string& path);
    void clickCell(GridView& view, int col, int row);
    void clickTab(QWidget& page);
    void clickButton(QAction& button);

    // Keys typed into the focus widget: characters as they stand, and the names in braces
    // {Enter}, {Esc}, {Tab}, {Shift+Tab}, {F2}, {Up}, {Down}, {Left}, {Right}, {Alt+Up},
    // {Alt+Down}, {Alt+Left}, {Alt+Right};
    // {Click} clicks the current cell of `view`.
    void keys(const std::string& sequence, GridView* view = nullptr);

    // The texts of a grid's data rows in one column.
    static std::vector<std::string> column(const StringGrid& grid, int col);

    // File Save, then the file opened again; no question comes, as nothing is left unsaved.
    void saveAndReopen();
    // What the editors hold differs from the state last opened or saved.
    bool changed() const;

private:
    TempFolder program_;
    TestMessages messages_;
    std::string file_;
    std::unique_ptr<TForm1> form_;
};

}  // namespace vantorell::test
