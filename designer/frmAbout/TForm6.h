#pragma once
// About box: the product, its maker and the builds of the designer, the engine and the
// database generator. Created once at start-up and kept until exit; shown modeless by the
// main window's About command, with the main window disabled until it hides.

#include <QDialog>
#include <string>

class QLabel;
class QPushButton;

namespace vantorell {

class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);

    // Disabled while the box is shown.
    QWidget* mainWindow = nullptr;
    // Where the engine and the database generator lie; ends in "/".
    std::string strProgramFolder;

    QLabel* Image1 = nullptr;
    QLabel* sttProductName = nullptr;
    QLabel* lblAboutCompany = nullptr;
    QLabel* lblAboutVersion = nullptr;
    QLabel* lblAboutGUIBuild = nullptr;
    QLabel* lblAboutPointsEngineBuild = nullptr;
    QLabel* lblAboutSQLInterfaceBuild = nullptr;
    QPushButton* btnOk = nullptr;

    void btnOkClick();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormShow();
    void FormHide();
};

}  // namespace vantorell
