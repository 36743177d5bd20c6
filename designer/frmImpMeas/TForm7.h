#pragma once
// Import dialog: merges dimensions and measures of another model into the current one. It
// reads the other model, proposes new names and codes for its dimensions where they clash
// with the current tree, and lets the user assign an imported measure to each current
// measure. Created once at start-up and kept until exit; shown modeless while the main
// window is disabled, so it behaves as modal.

#include <memory>

#include "designer/frmImpMeas/ImportDialogState.h"
#include "designer/frmImpMeas/ImportDialogSteps.h"
#include "designer/views/ModelessDialog.h"

class QLabel;
class QPushButton;

namespace vantorell {

class GridBitmaps;
class GridView;
class OverlayComboBox;

class TForm7 : public ModelessDialog {
    Q_OBJECT
public:
    // `editors`: the main window's working copy, the model imported into.
    explicit TForm7(EditorState& editors, QWidget* parent = nullptr);
    ~TForm7() override;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    GridView* sgdDimsCatsImport = nullptr;
    GridView* sgdMeasuresImport = nullptr;
    OverlayComboBox* cbxImportMeasures = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

    // The dialog's state: the imported model, the grids and the choices.
    ImportDialogState state;

    // This dialog as the File Import command uses it.
    ImportDialogPort& importDialog() { return steps_; }

    void btnOkClick();
    void btnCancelClick();

signals:
    // The showing is over: the grids hold the imported model and its proposals.
    void formShown();

protected:
    void FormShow() override;

private:
    void nulControlsCreate();
    void nulGridsConnect();
    // Widens the dialog to show every column of both grids, as far as the screen allows.
    void nulWidthFitGrids();

    ImportDialogSteps steps_;
    std::unique_ptr<GridBitmaps> bitmaps_;
};

}  // namespace vantorell
