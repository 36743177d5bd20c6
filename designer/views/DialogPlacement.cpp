#include "designer/views/DialogPlacement.h"

#include <QScreen>
#include <QWidget>

namespace vantorell {

void centreOnScreen(QWidget& dialog) {
    if (const QScreen* display = dialog.screen()) {
        dialog.move(display->availableGeometry().center() - dialog.rect().center());
    }
}

}  // namespace vantorell
