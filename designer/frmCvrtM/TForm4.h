#pragma once
// Extract-from-cube dialog: makes a model from an existing cube.
// Created once at start-up and kept until exit; shown modeless.

#include <QDialog>

namespace vantorell {

class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
};

}  // namespace vantorell
