#include "designer/views/QtGridCanvas.h"

#include "designer/views/GridBitmaps.h"
#include "designer/views/ViewColors.h"

namespace vantorell {

namespace {

QRect toQRect(const Rect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

QString toQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtGridCanvas::QtGridCanvas(QPainter& painter, const QPalette& palette, const GridBitmaps* bitmaps)
    : painter_(painter), palette_(palette), metrics_(painter.font()), bitmaps_(bitmaps) {}

QColor QtGridCanvas::qt(Color c) const {
    return toQColor(c, palette_);
}

QBrush QtGridCanvas::qtBrush() const {
    switch (style_) {
        case BrushStyle::Solid:
            return QBrush(qt(brush_));
        case BrushStyle::BDiagonal:
            return QBrush(qt(brush_), Qt::BDiagPattern);
        case BrushStyle::Clear:
            break;
    }
    return QBrush(Qt::NoBrush);
}

void QtGridCanvas::setBrush(Color c, BrushStyle style) {
    brush_ = c;
    style_ = style;
}

void QtGridCanvas::fillRect(const Rect& r) {
    if (style_ != BrushStyle::Clear && !r.isEmpty()) {
        painter_.fillRect(toQRect(r), qtBrush());
    }
}

void QtGridCanvas::rectangle(const Rect& r) {
    if (r.isEmpty()) {
        return;
    }
    painter_.save();
    painter_.setPen(QPen(qt(pen_), 1));
    painter_.setBrush(qtBrush());
    // The outline lies inside the rectangle, as the window system draws it.
    painter_.drawRect(QRect(r.left, r.top, r.width() - 1, r.height() - 1));
    painter_.restore();
}

void QtGridCanvas::drawText(int x, int y, const std::string& text) {
    painter_.setPen(qt(font_));
    painter_.drawText(QPoint(x, y + metrics_.ascent()), toQString(text));
}

void QtGridCanvas::textOut(int x, int y, const std::string& text) {
    if (style_ == BrushStyle::Solid) {
        painter_.fillRect(QRect(x, y, textWidth(text), textHeight(text)), qtBrush());
    }
    drawText(x, y, text);
}

void QtGridCanvas::textRect(const Rect& clip, int x, int y, const std::string& text) {
    if (clip.isEmpty()) {
        return;
    }
    painter_.save();
    painter_.setClipRect(toQRect(clip), Qt::IntersectClip);
    if (style_ == BrushStyle::Solid) {
        painter_.fillRect(toQRect(clip), qtBrush());
    }
    drawText(x, y, text);
    painter_.restore();
}

int QtGridCanvas::textWidth(const std::string& text) const {
    return metrics_.horizontalAdvance(toQString(text));
}

int QtGridCanvas::textHeight(const std::string& /*text*/) const {
    return metrics_.height();
}

void QtGridCanvas::drawFocusRect(const Rect& r) {
    if (r.isEmpty()) {
        return;
    }
    painter_.save();
    painter_.setPen(QPen(qt(font_), 1, Qt::DotLine));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRect(r.left, r.top, r.width() - 1, r.height() - 1));
    painter_.restore();
}

void QtGridCanvas::drawBitmap(int x, int y, const std::string& name) {
    if (bitmaps_ == nullptr) {
        return;
    }
    const QPixmap pixmap = bitmaps_->find(name);
    if (!pixmap.isNull()) {
        painter_.drawPixmap(x, y, pixmap);
    }
}

Size QtGridCanvas::bitmapSize(const std::string& name) const {
    if (bitmaps_ == nullptr) {
        return Size{};
    }
    const QPixmap pixmap = bitmaps_->find(name);
    return Size{pixmap.width(), pixmap.height()};
}

}  // namespace vantorell
