#pragma once
// A splitter bar that sizes the panel laid out before it: dragging a vertical bar sets the
// panel's width, a horizontal bar its height. The panel keeps a fixed size between drags, so
// its size can be read and set whether or not the window has been shown.

#include <QWidget>

namespace vantorell {

class PanelSplitter : public QWidget {
    Q_OBJECT
public:
    // Qt::Horizontal: a vertical bar between panels side by side; Qt::Vertical: a
    // horizontal bar between panels one above the other.
    PanelSplitter(Qt::Orientation orientation, QWidget& panel, QWidget* parent = nullptr);

    // Sets the panel's size along the bar's direction.
    void setPanelSize(int size);
    int panelSize() const;

signals:
    void moved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int along(const QPoint& p) const;
    int largestPanelSize() const;

    static constexpr int kMinimumSize = 30;

    Qt::Orientation orientation_;
    QWidget& panel_;
    bool dragging_ = false;
    int dragStart_ = 0;
    int sizeAtStart_ = 0;
};

}  // namespace vantorell
