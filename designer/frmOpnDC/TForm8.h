#pragma once
// List conversion dialog: how the dimensions of a dimension/category list are formed before
// it is converted into a model. Created once at start-up and kept until exit; shown modeless
// while the main window is disabled, so it behaves as modal.

#include "designer/frmOpnDC/ListConversionSteps.h"
#include "designer/frmOpnDC/ListDialogChoice.h"
#include "designer/views/ModelessDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vantorell {

class TForm8 : public ModelessDialog {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QRadioButton* rbnUseSpecifiedDimension = nullptr;
    QLabel* lblDimensionName = nullptr;
    QLineEdit* edtDimensionName = nullptr;
    QRadioButton* rbnUseDimensionsFromFile = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

    // The dialog's state, flgOkPressed among it.
    ListDialogChoice state;

    // This dialog's question followed by the conversion routines, for the document commands.
    ListConversionPort& listConversion() { return steps_; }

    void btnOkClick();
    void btnCancelClick();
    void rbnUseSpecifiedDimensionClick();
    void rbnUseDimensionsFromFileClick();
    void edtDimensionNameExit();

protected:
    void FormShow() override;

private:
    void nulControlsCreate();
    // The controls from the state.
    void nulControlsShow();

    ListConversionSteps steps_;
};

}  // namespace vantorell
