#pragma once
// The drop-down list of a grid cell on screen. It lies in the grid's parent, where the list's
// bounds are given, and hands keys, choices and the loss of focus to the list logic.

#include <QComboBox>
#include <QPointer>

#include "designer/rtnGrids/ComboBox.h"

namespace vantorell {

class OverlayComboBox : public QComboBox, public ComboBoxView {
    Q_OBJECT
public:
    OverlayComboBox(ComboBox& combo, QWidget* parent);
    ~OverlayComboBox() override;

    void comboChanged() override;
    void focusCombo() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    ComboBox& combo_;
    bool syncing_ = false;
    QPointer<QWidget> grid_;  // where the focus goes back when the list hides
};

}  // namespace vantorell
