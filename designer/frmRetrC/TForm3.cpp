#include "designer/frmRetrC/TForm3.h"

namespace vantorell {

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Retrieve Cube"));
}

}  // namespace vantorell
