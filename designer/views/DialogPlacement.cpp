#include "designer/views/DialogPlacement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace vantorell {

void centreOnScreen(QWidget& dialog) {
    if (const QScreen* display = dialog.screen()) {
        const QRect area = display->availableGeometry();
        QPoint at = area.center() - dialog.rect().center();
        // A dialog larger than the screen keeps its top-left corner, with its title bar and
        // its first controls, on the screen.
        at.setX(std::max(at.x(), area.left()));
        at.setY(std::max(at.y(), area.top()));
        dialog.move(at);
    }
}

}  // namespace vantorell
