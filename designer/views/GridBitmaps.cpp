#include "designer/views/GridBitmaps.h"

#include <QBitmap>
#include <QImage>

namespace vantorell {

void GridBitmaps::add(const std::string& name, const QPixmap& pixmap) {
    QPixmap seeThrough = pixmap;
    if (!pixmap.isNull()) {
        const QImage image = pixmap.toImage();
        const QColor background = image.pixelColor(0, image.height() - 1);
        seeThrough.setMask(pixmap.createMaskFromColor(background, Qt::MaskInColor));
    }
    pixmaps_[name] = seeThrough;
}

QPixmap GridBitmaps::find(const std::string& name) const {
    const auto it = pixmaps_.find(name);
    return it == pixmaps_.end() ? QPixmap() : it->second;
}

}  // namespace vantorell
