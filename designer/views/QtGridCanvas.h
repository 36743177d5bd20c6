#pragma once
// The grid canvas on a painter, during the painting of a cell.

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

#include "designer/rtnGrids/GridCanvas.h"

namespace vantorell {

class GridBitmaps;

class QtGridCanvas : public GridCanvas {
public:
    QtGridCanvas(QPainter& painter, const QPalette& palette, const GridBitmaps* bitmaps);

    void setFontColor(Color c) override { font_ = c; }
    Color fontColor() const override { return font_; }
    void setBrush(Color c, BrushStyle style) override;
    Color brushColor() const override { return brush_; }
    BrushStyle brushStyle() const override { return style_; }
    void setPenColor(Color c) override { pen_ = c; }

    void fillRect(const Rect& r) override;
    void rectangle(const Rect& r) override;
    void textOut(int x, int y, const std::string& text) override;
    void textRect(const Rect& clip, int x, int y, const std::string& text) override;
    int textWidth(const std::string& text) const override;
    int textHeight(const std::string& text) const override;
    void drawFocusRect(const Rect& r) override;
    void drawBitmap(int x, int y, const std::string& name) override;
    Size bitmapSize(const std::string& name) const override;

private:
    QColor qt(Color c) const;
    QBrush qtBrush() const;
    void drawText(int x, int y, const std::string& text);

    QPainter& painter_;
    QPalette palette_;
    QFontMetrics metrics_;
    const GridBitmaps* bitmaps_;
    Color font_ = clWindowText;
    Color brush_ = clWindow;
    BrushStyle style_ = BrushStyle::Solid;
    Color pen_ = clBlack;
};

}  // namespace vantorell
