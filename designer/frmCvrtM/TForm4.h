#pragma once
// Extract-from-cube dialog: makes a model from an existing cube.
// Created once at start-up and kept until exit; shown modeless while the main window is
// disabled.

#include <string>

#include "designer/frmCvrtM/ExtractDialogFields.h"
#include "designer/views/ModelessDialog.h"

class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace vantorell {

class TForm4 : public ModelessDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    // Where the pickers start when their field names no folder, and where the cube tool's
    // exports are written; ends in "/".
    std::string strProgramFolder;
    // The cube-conversion debug mask from the settings file.
    int intCubeConvertDebugFlags = 0;

    QLabel* lblCubeFile = nullptr;
    QLineEdit* edtCubeFile = nullptr;
    QToolButton* sbnSelectionSaveToDir = nullptr;
    QLabel* lblModelFile = nullptr;
    QLineEdit* edtModelFile = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QLabel* lblProgress = nullptr;
    QFrame* pnlProgess = nullptr;
    QProgressBar* ggeProgress = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* StaticText3 = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

    ExtractDialogFields fields;

    void edtCubeFileChange();
    void nulContinueButtonStateSet();
    void sbnSelectionSaveToDirClick();
    void SpeedButton1Click();
    void btnOkClick();
    void btnCancelClick();
    // The progress procedure handed to the extraction.
    void nulProgressGaugeSet(int percent);

protected:
    void FormShow() override;

private:
    void nulControlsCreate();
    // The edit fields from `fields`.
    void nulFieldsShow();
};

}  // namespace vantorell
