#include "designer/views/StagePictures.h"

#include <QPainter>
#include <QPainterPath>

namespace vantorell {

QPixmap stagePicture(int state) {
    const bool lit = (state & 1) != 0;
    const int kind = state / 10;  // 1 unknown, 2 success, 3 failure
    QColor fill = kind == 2   ? QColor(0, 160, 60)
                  : kind == 3 ? QColor(210, 30, 30)
                              : QColor(40, 90, 200);
    if (!lit) {
        fill = fill.darker(260);
    }
    QPixmap picture(kStagePictureSize, kStagePictureSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawEllipse(1, 1, kStagePictureSize - 2, kStagePictureSize - 2);
    painter.setPen(QPen(lit ? Qt::white : QColor(170, 170, 170), 2.2, Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    if (kind == 2) {
        QPainterPath tick;
        tick.moveTo(5.5, 10.5);
        tick.lineTo(8.5, 13.5);
        tick.lineTo(14.5, 6.5);
        painter.drawPath(tick);
    } else if (kind == 3) {
        painter.drawLine(QPointF(6.5, 6.5), QPointF(13.5, 13.5));
        painter.drawLine(QPointF(13.5, 6.5), QPointF(6.5, 13.5));
    } else {
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(13);
        painter.setFont(font);
        painter.drawText(QRect(0, 0, kStagePictureSize, kStagePictureSize), Qt::AlignCenter,
                         QStringLiteral("?"));
    }
    return picture;
}

}  // namespace vantorell
