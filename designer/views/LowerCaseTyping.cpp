#include "designer/views/LowerCaseTyping.h"

#include <QLineEdit>

#include "designer/frmCfgr/TransferSettingsEdit.h"

namespace vantorell {

void lowerCaseTyping(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString lower = QString::fromStdString(strProxyFieldText(text.toStdString()));
        if (lower != text) {
            const int cursor = edit->cursorPosition();
            edit->setText(lower);
            edit->setCursorPosition(cursor);
        }
    });
}

}  // namespace vantorell
