#pragma once
// Retrieve Cube dialog: fetches generated cubes from the cube server.
// Created once at start-up and kept until exit; shown modeless.

#include <QDialog>

namespace vantorell {

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
};

}  // namespace vantorell
