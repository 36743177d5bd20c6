#pragma once
// What the editors of the main window share, without widgets: the dimension and category
// tree with its code list, the measures grid with its lists, the node lists of the lower
// grids, and the fields of the main window the conversions use. The main window owns one
// and shows it through its views; tests drive one directly.

#include <chrono>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "designer/frmMain/CodeList.h"
#include "designer/frmMain/DesignerSettings.h"
#include "designer/frmMain/WorkingCopy.h"
#include "designer/rtnGrids/ComboBox.h"
#include "designer/rtnGrids/StringGrid.h"
#include "designer/rtnTrees/NodeTree.h"

namespace vantorell {

class EditorState : public DebugMasks {
public:
    EditorState();
    EditorState(const EditorState&) = delete;
    EditorState& operator=(const EditorState&) = delete;

    NodeTree tvwDimsCats;
    CodeList lvwDimsCats;
    StringGrid sgdMeasures;
    // The lists laid over the measures grid's list columns.
    ComboBox cbxMeasuresType;
    ComboBox cbxMeasuresIrregType;
    ComboBox cbxMeasuresSourceMeasure;
    ComboBox cbxMeasuresWeightingDimension;

    // The measure values grid: one sibling group's shares (or ratios) of one measure.
    StringGrid sgdMeasureValues;
    // "Percents - Show Negatives" is down: the measure values grid shows negative shares.
    bool flgMeasureValuesShowNegatives = false;
    // The row of the measure values grid at which the next balancing of other rows starts.
    int intBalanceRow = 1;
    // The item chosen in the scale list: the percentage a full-width bar stands for.
    int intMeasureValuesScaleIndex = 0;

    // The irregularities grid: one dimension per row, for the current measure.
    StringGrid sgdIrregularities;
    ComboBox cbxIrregularitiesFamily;

    // What the lower panel shows, as the panel chooser left it; the window follows it.
    bool flgValuesPanelShown = false;
    bool flgMeasureValuesPageShown = false;
    bool flgIrregularitiesPageShown = false;
    // Whether the measure values tool buttons are enabled.
    bool flgMeasureValuesButtonsEnabled = false;
    std::function<void()> onPanelsChanged;

    // Node data of the rows of the measure values and irregularities grids, in row order.
    std::vector<TDimsCatsData*> lstMeasureValuesNodes;
    std::vector<TDimsCatsData*> lstIrregularitiesNodes;
    // Text of the current cell before the edit in progress.
    std::string strCellPreviousText;

    std::string strProgramFolder;  // ends in "/"
    int intRequestedPoints = 0;

    // Exit handlers of the editor grids, installed by their editors; pending edits are
    // committed through them.
    std::function<void()> sgdMeasuresExit;
    std::function<void()> sgdMeasureValuesExit;
    std::function<void()> sgdIrregularitiesExit;

    // Chooses the lower panels for the selected node and the current measure (the measure
    // values editor's chooser unless replaced). Commands that change the tree, the
    // selection or the measures end with it (nulMeasureValuesAndIrregularitiesSetPanels).
    std::function<void()> measureValuesAndIrregularitiesPanelsSet;

    // The status bar's text.
    const std::string& statusText() const { return strStatusText_; }
    void setStatusText(const std::string& text);
    std::function<void()> onStatusTextChanged;

    // Hourglass on (true) and off again.
    std::function<void(bool busy)> onBusyCursor;

    // Clocks, replaceable in tests: elapsed times, and the local date and time of logs.
    std::function<std::chrono::steady_clock::time_point()> elapsedClock;
    std::function<std::tm()> localClock;
    // A uniform random integer in 0 .. bound - 1 (bound > 0), from a generator seeded from
    // the clock; replaceable in tests.
    std::function<int(int bound)> randomNumber;

private:
    std::string strStatusText_;
};

// The hourglass for the lifetime of the object.
class BusyCursor {
public:
    explicit BusyCursor(EditorState& editors);
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    EditorState& editors_;
};

// Commits pending edits before a command: ends the in-place edit of the selected tree node
// and that of a code in the code list (keeping the texts), then runs the exit handlers of
// the measures, measure values and irregularities grids, in that order.
void nulGridsSaveValues(EditorState& editors);

// Lets the lower editors show the selected node again, so that a grid that shows the tree as
// it was before a command is never stored back into it. Without a chooser the node lists of
// their grids are let go.
void nulMeasureValuesAndIrregularitiesSetPanels(EditorState& editors);

// The current local date and time.
std::tm localTimeNow();

}  // namespace vantorell
