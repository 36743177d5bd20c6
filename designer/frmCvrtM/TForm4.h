#pragma once
// Extract-from-cube dialog: makes a model from an existing cube.
// Created once at start-up and kept until exit; shown modeless while the main window is
// disabled.

#include <QDialog>
#include <string>

#include "designer/frmCvrtM/ExtractDialogFields.h"

class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace vantorell {

class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    // Disabled while the dialog is shown.
    QWidget* mainWindow = nullptr;
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
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormShow();
    void FormHide();
    void nulControlsCreate();
    // The edit fields from `fields`.
    void nulFieldsShow();
};

}  // namespace vantorell
