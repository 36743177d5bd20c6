#pragma once
// Import dialog: merges dimensions and measures of another model.
// Created once at start-up and kept until exit; shown modeless.

#include <QDialog>

namespace vantorell {

class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);
};

}  // namespace vantorell
