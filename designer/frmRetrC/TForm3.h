#pragma once
// Retrieve Cube dialog: fetches generated cubes from the cube server through the steps of
// its session (RetrieveCubeSession). Created once at start-up and kept until exit; shown
// modeless by the main window's Retrieve Cube command.

#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include "designer/frmRetrC/RetrieveCubeSession.h"
#include "designer/views/CubeServerDialog.h"

namespace vantorell {

class TForm3 : public CubeServerDialog {
    Q_OBJECT
public:
    explicit TForm3(TForm1& main);
    ~TForm3() override;

    RetrieveCubeSession session;

    QLabel* lblAvailabilityProgress = nullptr;
    QListWidget* lbxSelectionFiles = nullptr;
    QLineEdit* edtSelectionSaveToDir = nullptr;
    QToolButton* sbnSelectionSaveToDir = nullptr;
    QPushButton* btnSelectionDeleteFiles = nullptr;
    QPushButton* btnSelection = nullptr;

protected:
    void nulControlsShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void nulListShow();
};

}  // namespace vantorell
