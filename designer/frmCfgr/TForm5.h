#pragma once
// Configuration dialog: the transfer settings of the server dialogs.
// Created once at start-up and kept until exit; shown modeless.

#include <QDialog>

namespace vantorell {

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
};

}  // namespace vantorell
