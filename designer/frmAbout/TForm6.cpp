#include "designer/frmAbout/TForm6.h"

namespace vantorell {

TForm6::TForm6(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("About"));
}

}  // namespace vantorell
