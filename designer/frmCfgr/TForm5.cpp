#include "designer/frmCfgr/TForm5.h"

namespace vantorell {

TForm5::TForm5(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Configuration"));
}

}  // namespace vantorell
