#include "designer/frmOpnDC/TForm8.h"

namespace vantorell {

TForm8::TForm8(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Open Dimension/Category List (Continued)"));
}

}  // namespace vantorell
