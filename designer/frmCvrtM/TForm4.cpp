#include "designer/frmCvrtM/TForm4.h"

namespace vantorell {

TForm4::TForm4(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Extract Vantorell Model from Cube"));
}

}  // namespace vantorell
