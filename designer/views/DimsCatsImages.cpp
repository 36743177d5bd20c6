#include "designer/views/DimsCatsImages.h"

#include <QPainter>
#include <QPixmap>
#include <functional>

namespace vantorell {
namespace {

QIcon paintedIcon(const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    return QIcon(pixmap);
}

}  // namespace

std::vector<QIcon> dimsCatsImages() {
    const auto dimension = [](QColor fill) {
        return paintedIcon([fill](QPainter& p) {
            p.setPen(QColor(0, 0, 128));
            p.setBrush(fill);
            p.drawRect(2, 2, 11, 11);
            p.drawLine(2, 6, 13, 6);
        });
    };
    const auto category = [](QColor fill) {
        return paintedIcon([fill](QPainter& p) {
            p.setPen(QColor(0, 96, 0));
            p.setBrush(fill);
            p.drawEllipse(3, 3, 10, 10);
        });
    };
    return {dimension(QColor(160, 190, 240)), dimension(QColor(255, 220, 80)),
            category(QColor(150, 220, 150)), category(QColor(255, 220, 80))};
}

QIcon dimsCatsAddIcon(QPoint existing, QPoint added) {
    return paintedIcon([=](QPainter& p) {
        p.setPen(Qt::darkGray);
        p.setBrush(QColor(220, 220, 220));
        p.drawRect(existing.x(), existing.y(), 7, 6);
        p.setPen(QColor(0, 128, 0));
        p.setBrush(QColor(200, 240, 200));
        p.drawRect(added.x(), added.y(), 7, 6);
        p.drawLine(added.x() + 2, added.y() + 3, added.x() + 5, added.y() + 3);
        p.drawLine(added.x() + 3, added.y() + 1, added.x() + 3, added.y() + 5);
    });
}

QIcon dimsCatsExpandIcon(bool plus) {
    return paintedIcon([plus](QPainter& p) {
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawRect(3, 3, 10, 10);
        p.drawLine(5, 8, 11, 8);
        if (plus) {
            p.drawLine(8, 5, 8, 11);
        }
    });
}

QIcon dimsCatsRemoveIcon() {
    return paintedIcon([](QPainter& p) {
        p.setPen(QPen(QColor(192, 0, 0), 2));
        p.drawLine(4, 4, 12, 12);
        p.drawLine(12, 4, 4, 12);
    });
}

}  // namespace vantorell
