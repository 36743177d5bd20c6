#include "designer/frmImpMeas/TForm7.h"

namespace vantorell {

TForm7::TForm7(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Import"));
}

}  // namespace vantorell
