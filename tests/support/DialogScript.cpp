#include "tests/support/DialogScript.h"

#include <gtest/gtest.h>

namespace vantorell::test {

DialogScript::DialogScript(QWidget& dialog) {
    deadline_.setSingleShot(true);
    QObject::connect(&deadline_, &QTimer::timeout, &dialog, [&dialog] {
        ADD_FAILURE() << "the dialog was still shown at the deadline";
        dialog.close();
    });
    deadline_.start(20000);
}

}  // namespace vantorell::test
