#include "designer/frmSendM/TForm2.h"

namespace vantorell {

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Send Model"));
}

}  // namespace vantorell
