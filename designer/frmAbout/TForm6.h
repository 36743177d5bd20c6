#pragma once
// About box: the product, its maker and the builds of the designer, the engine and the
// database generator. Created once at start-up and kept until exit; shown modeless by the
// main window's About command, with the main window disabled until it hides.

#include <string>

#include "designer/views/ModelessDialog.h"

class QLabel;
class QPushButton;

namespace vantorell {

class TForm6 : public ModelessDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);

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
    void FormShow() override;
};

}  // namespace vantorell
