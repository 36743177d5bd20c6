#pragma once
// Send Model dialog: sends models to the cube server for generation, through the steps of
// its session (SendModelSession). Created once at start-up and kept until exit; shown
// modeless by the main window's Send Model command.

#include <QPushButton>

#include "designer/frmSendM/SendModelSession.h"
#include "designer/views/CubeServerDialog.h"

namespace vantorell {

class GridView;

class TForm2 : public CubeServerDialog {
    Q_OBJECT
public:
    explicit TForm2(TForm1& main);
    ~TForm2() override;

    SendModelSession session;

    QLabel* lblAcceptanceProgress = nullptr;
    QPushButton* btnAcceptanceYes = nullptr;
    QPushButton* btnAcceptanceNo = nullptr;
    GridView* sgdSelectionFiles = nullptr;
    QPushButton* bbnSelectionFileAdd = nullptr;
    QPushButton* bbnSelectionFileDel = nullptr;
    QPushButton* btnSelection = nullptr;

protected:
    void nulControlsShow() override;
};

}  // namespace vantorell
