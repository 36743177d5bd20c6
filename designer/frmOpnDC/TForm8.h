#pragma once
// List conversion dialog: how a dimension/category list becomes a model.
// Created once at start-up and kept until exit; shown modeless.

#include <QDialog>

namespace vantorell {

class TForm8 : public QDialog {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);
};

}  // namespace vantorell
