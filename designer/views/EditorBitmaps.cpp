#include "designer/views/EditorBitmaps.h"

#include <QBitmap>
#include <QPainter>
#include <QPixmap>
#include <functional>
#include <vector>

#include "designer/frmImpMeas/ImportDrawing.h"
#include "designer/frmMain/IrregularitiesCells.h"
#include "designer/frmMain/MeasureValuesDrawing.h"
#include "designer/frmMain/MeasuresDrawing.h"
#include "designer/views/DimsCatsImages.h"
#include "designer/views/GridBitmaps.h"

namespace vantorell {
namespace {

// Magenta shows nowhere in the pictures: the grids leave it out.
const QColor kBackground(255, 0, 255);

QPixmap painted(const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(16, 16);
    pixmap.fill(kBackground);
    QPainter painter(&pixmap);
    paint(painter);
    return pixmap;
}

QPixmap bars(QColor colour) {
    return painted([colour](QPainter& p) {
        p.setPen(Qt::black);
        p.setBrush(colour);
        p.drawRect(2, 8, 3, 6);
        p.drawRect(6, 4, 3, 10);
        p.drawRect(10, 6, 3, 8);
    });
}

QPixmap padlock(bool closed) {
    return painted([closed](QPainter& p) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawArc(closed ? 4 : 8, 2, 7, 8, 0, 180 * 16);
        p.setBrush(closed ? QColor(192, 0, 0) : QColor(0, 160, 0));
        p.drawRect(3, 7, 10, 7);
    });
}

QPixmap transparent(const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    return pixmap;
}

}  // namespace

QIcon lockIcon(bool closed) {
    QPixmap pixmap = padlock(closed);
    pixmap.setMask(pixmap.createMaskFromColor(kBackground, Qt::MaskInColor));
    return QIcon(pixmap);
}

QIcon signIcon(bool negative) {
    return QIcon(transparent([negative](QPainter& p) {
        p.setPen(QPen(negative ? QColor(128, 0, 0) : QColor(0, 0, 128), 2));
        p.drawLine(3, 8, 13, 8);
        if (!negative) {
            p.drawLine(8, 3, 8, 13);
        }
    }));
}

QIcon shapeIcon(const QPolygon& points) {
    return QIcon(transparent([points](QPainter& p) {
        p.setPen(QPen(QColor(0, 0, 128), 2));
        p.drawPolyline(points);
    }));
}

void nulEditorBitmapsAdd(GridBitmaps& bitmaps) {
    bitmaps.add(kMeasuresSelectedBitmap, bars(QColor(255, 220, 80)));
    bitmaps.add(kMeasuresUnselectedBitmap, bars(QColor(160, 190, 240)));
    bitmaps.add(kMeasureValuesBitmap, bars(QColor(150, 220, 150)));
    bitmaps.add(kIrregularitiesBitmap, painted([](QPainter& p) {
                    p.setPen(QPen(QColor(0, 0, 128), 2));
                    p.drawPolyline(QPolygon({{1, 10}, {4, 5}, {7, 12}, {10, 3}, {14, 9}}));
                }));
    bitmaps.add(kLockedBitmap, padlock(true));
    bitmaps.add(kUnlockedBitmap, padlock(false));
    // The import dialog's dimensions and its "Include?" marks.
    const std::vector<QIcon> dimensions = dimsCatsImages();
    bitmaps.add(kDimsUnselectedBitmap, painted([&dimensions](QPainter& p) {
                    p.drawPixmap(0, 0, dimensions[0].pixmap(16, 16));
                }));
    bitmaps.add(kDimsSelectedBitmap, painted([&dimensions](QPainter& p) {
                    p.drawPixmap(0, 0, dimensions[1].pixmap(16, 16));
                }));
    bitmaps.add(kTrueMarkBitmap, painted([](QPainter& p) {
                    p.setPen(QPen(QColor(0, 128, 0), 2));
                    p.drawPolyline(QPolygon({{3, 8}, {7, 12}, {13, 3}}));
                }));
    bitmaps.add(kFalseMarkBitmap, painted([](QPainter& p) {
                    p.setPen(QPen(QColor(192, 0, 0), 2));
                    p.drawLine(4, 4, 12, 12);
                    p.drawLine(12, 4, 4, 12);
                }));
    bitmaps.add(kUnknownMarkBitmap, painted([](QPainter& p) {
                    p.setPen(Qt::black);
                    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
                }));
}

}  // namespace vantorell
