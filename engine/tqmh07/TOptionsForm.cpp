#include "engine/tqmh07/TOptionsForm.h"

#include <QVBoxLayout>

namespace vantorell::engine {

TOptionsForm::TOptionsForm(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("OptionsForm"));
    auto* layout = new QVBoxLayout(this);
    for (QLineEdit*& field : fields) {
        field = new QLineEdit(this);
        layout->addWidget(field);
    }
}

}  // namespace vantorell::engine
