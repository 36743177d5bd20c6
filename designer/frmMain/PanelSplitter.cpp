#include "designer/frmMain/PanelSplitter.h"

#include <QMouseEvent>
#include <algorithm>

namespace vantorell {

namespace {
constexpr int kBarThickness = 4;
}

PanelSplitter::PanelSplitter(Qt::Orientation orientation, QWidget& panel, QWidget* parent)
    : QWidget(parent), orientation_(orientation), panel_(panel) {
    if (orientation_ == Qt::Horizontal) {
        setFixedWidth(kBarThickness);
        setCursor(Qt::SplitHCursor);
    } else {
        setFixedHeight(kBarThickness);
        setCursor(Qt::SplitVCursor);
    }
}

void PanelSplitter::setPanelSize(int size) {
    size = std::max(size, 0);
    if (orientation_ == Qt::Horizontal) {
        panel_.setFixedWidth(size);
    } else {
        panel_.setFixedHeight(size);
    }
}

int PanelSplitter::panelSize() const {
    // The fixed size, which the layout may not have applied yet.
    return orientation_ == Qt::Horizontal ? panel_.minimumWidth() : panel_.minimumHeight();
}

int PanelSplitter::along(const QPoint& p) const {
    return orientation_ == Qt::Horizontal ? p.x() : p.y();
}

int PanelSplitter::largestPanelSize() const {
    // The panel may grow until the panels after the bar keep kMinimumSize.
    const QWidget* area = parentWidget();
    if (area == nullptr) {
        return panelSize();
    }
    const int extent = orientation_ == Qt::Horizontal ? area->width() : area->height();
    const int thickness = orientation_ == Qt::Horizontal ? width() : height();
    return std::max(kMinimumSize, extent - thickness - kMinimumSize);
}

void PanelSplitter::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    dragging_ = true;
    dragStart_ = along(event->globalPosition().toPoint());
    sizeAtStart_ = panelSize();
}

void PanelSplitter::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        return;
    }
    const int wanted = sizeAtStart_ + along(event->globalPosition().toPoint()) - dragStart_;
    setPanelSize(std::clamp(wanted, kMinimumSize, std::max(kMinimumSize, largestPanelSize())));
}

void PanelSplitter::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton) {
        return;
    }
    dragging_ = false;
    emit moved();
}

}  // namespace vantorell
