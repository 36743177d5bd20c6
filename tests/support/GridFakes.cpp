#include "tests/support/GridFakes.h"

namespace vantorell::test {

FakeGridPort::FakeGridPort(StringGrid& grid, Rect bounds) : grid_(grid), bounds_(bounds) {
    grid_.setPort(this);
}

FakeGridPort::~FakeGridPort() {
    if (grid_.port() == this) {
        grid_.setPort(nullptr);
    }
}

int FakeGridPort::textWidth(const std::string& text) const {
    return static_cast<int>(text.size()) * kCharWidth;
}

int FakeGridPort::textHeight(const std::string& /*text*/) const {
    return kTextHeight;
}

Rect FakeGridPort::cellRect(int col, int row) const {
    const int line = grid_.gridLineWidth();
    int left = 0;
    for (int c = 0; c < col; ++c) {
        left += grid_.colWidth(c) + line;
    }
    const int top = row * (grid_.defaultRowHeight() + line);
    return Rect{left, top, left + grid_.colWidth(col), top + grid_.defaultRowHeight()};
}

void RecordingCanvas::record(CanvasOp::Kind kind, const Rect& r) {
    CanvasOp op{};
    op.kind = kind;
    op.rect = r;
    op.brush = brush_;
    op.style = style_;
    op.font = font_;
    ops.push_back(op);
}

void RecordingCanvas::textOut(int x, int y, const std::string& text) {
    record(CanvasOp::Kind::TextOut, Rect{});
    ops.back().x = x;
    ops.back().y = y;
    ops.back().text = text;
}

void RecordingCanvas::textRect(const Rect& clip, int x, int y, const std::string& text) {
    record(CanvasOp::Kind::TextRect, clip);
    ops.back().x = x;
    ops.back().y = y;
    ops.back().text = text;
}

int RecordingCanvas::textWidth(const std::string& text) const {
    return static_cast<int>(text.size()) * kCharWidth;
}

int RecordingCanvas::textHeight(const std::string& /*text*/) const {
    return kTextHeight;
}

void RecordingCanvas::drawBitmap(int x, int y, const std::string& name) {
    record(CanvasOp::Kind::Bitmap, Rect{});
    ops.back().x = x;
    ops.back().y = y;
    ops.back().text = name;
}

Size RecordingCanvas::bitmapSize(const std::string& /*name*/) const {
    return Size{16, 16};
}

std::vector<CanvasOp> RecordingCanvas::ofKind(CanvasOp::Kind kind) const {
    std::vector<CanvasOp> found;
    for (const CanvasOp& op : ops) {
        if (op.kind == kind) {
            found.push_back(op);
        }
    }
    return found;
}

}  // namespace vantorell::test
