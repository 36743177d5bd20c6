#include "designer/rtnGrids/GridDrawing.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>

#include "designer/rtnGrids/TrimBlanks.h"

namespace vantorell {

namespace {

std::optional<std::int64_t> optCellInteger(const std::string& text) {
    std::string_view digits = trimBlanks(text);
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
    }
    std::int64_t value = 0;
    const char* begin = digits.data();
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (begin == end || ec != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

void nulGridCellBackgroundPaint(const StringGrid& grid, GridCanvas& canvas, const Rect& rect,
                                GridDrawState state) {
    Color brush = grid.color();
    Color font = grid.fontColor();
    if (state.selected) {
        if (grid.hasOption(goDrawFocusSelected)) {
            brush = clHighlight;
            font = clHighlightText;
        }
    } else if (state.fixed) {
        brush = clBtnFace;
        font = clBtnText;
    }
    canvas.setBrush(brush, BrushStyle::Solid);
    canvas.setFontColor(font);
    canvas.fillRect(rect);
}

void nulGridCellTextDraw(GridCanvas& canvas, const Rect& rect, int leftMargin, int topMargin,
                         int rightMargin, int bottomMargin, int x, int y, int rightOffset,
                         int bottomOffset, int hAlign, int vAlign, int mode,
                         const std::string& text) {
    const int w = rect.width();
    const int h = rect.height();
    const int tw = canvas.textWidth(text);
    const int th = canvas.textHeight(text);
    switch (hAlign) {
        case 0:
            break;
        case 1:
            x = static_cast<int>(std::trunc(w / 2.0 - tw / 2.0));
            break;
        case 2:
            x = w - tw - rightOffset - 1;
            break;
        default:
            x = 0;
            break;
    }
    switch (vAlign) {
        case 0:
            break;
        case 1:
            y = static_cast<int>(std::trunc(h / 2.0 - th / 2.0));
            break;
        case 2:
            y = h - th - bottomOffset;
            break;
        default:
            y = 0;
            break;
    }
    x = std::max(x, leftMargin);
    y = std::max(y, topMargin);
    const Rect clip{rect.left + leftMargin, rect.top + topMargin, rect.right - rightMargin,
                    rect.bottom - bottomMargin};
    if (mode == 0) {
        canvas.textRect(clip, rect.left + x, rect.top + y, text);
    } else if (mode == 1) {
        canvas.textOut(rect.left + x, rect.top + y, text);
    }
}

std::string strPercentText(double value) {
    char buffer[400];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    const std::string number = ec == std::errc() ? std::string(buffer, end) : std::string("0");
    return " " + number + " % ";
}

Color clBarTextColor(Color bar) {
    if (bar.isSystem()) {
        return clHighlightText;
    }
    // Perceived brightness: dark bars take white text, light ones black.
    const int luma = bar.red() * 299 + bar.green() * 587 + bar.blue() * 114;
    return luma < 128 * 1000 ? clWhite : clBlack;
}

void nulGridCellPercentBarDraw(const StringGrid& grid, GridCanvas& canvas, const Rect& rect,
                               int col, int row, GridDrawState state, int divisor, double fullScale,
                               Color barColor, Color textColor, bool show) {
    if (row < grid.fixedRows() || col < grid.fixedCols()) {
        return;
    }
    nulGridCellBackgroundPaint(grid, canvas, rect, state);
    if (!show) {
        canvas.setFontColor(clWindowText);
        canvas.setBrush(clWindow, BrushStyle::Clear);
        nulGridCellTextDraw(canvas, rect, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, std::string());
        return;
    }
    if (state.focused) {
        canvas.drawFocusRect(rect);
    }
    canvas.setFontColor(textColor);
    canvas.setBrush(clWindow, BrushStyle::Clear);

    const std::string& cellText = grid.cell(col, row);
    const std::optional<std::int64_t> integer = optCellInteger(cellText);
    if (!integer || divisor == 0) {
        nulGridCellTextDraw(canvas, rect, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, cellText);
        return;
    }
    const double value = static_cast<double>(*integer) / divisor;
    const std::string text = strPercentText(value);
    Rect bar{rect.left + 1, rect.top + 1, rect.left + 1, rect.bottom - 1};
    if (fullScale > 0.0 && std::isfinite(fullScale)) {
        // Clamped before it becomes an integer: a value far above full scale is cut at the edge.
        const double length = std::abs(value) * ((rect.width() - 2) / fullScale);
        const int w = static_cast<int>(
            std::clamp(std::trunc(length), 0.0, static_cast<double>(std::max(rect.width(), 0))));
        bar.right = std::min(rect.left + w + 1, rect.right);
    }
    if (bar.isEmpty()) {
        nulGridCellTextDraw(canvas, rect, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, text);
        return;
    }
    // The bar first and the text over it, so that no digit hides under the bar: the part of
    // the text over the bar in a colour that stands out from the bar, the rest as usual.
    canvas.setBrush(barColor, BrushStyle::Solid);
    canvas.fillRect(bar);
    canvas.setBrush(clWindow, BrushStyle::Clear);
    const int x = std::max(
        0, static_cast<int>(std::trunc(rect.width() / 2.0 - canvas.textWidth(text) / 2.0)));
    const int y = std::max(
        0, static_cast<int>(std::trunc(rect.height() / 2.0 - canvas.textHeight(text) / 2.0)));
    const Rect rest{bar.right, rect.top, rect.right, rect.bottom};
    if (!rest.isEmpty()) {
        canvas.textRect(rest, rect.left + x, rect.top + y, text);
    }
    canvas.setFontColor(clBarTextColor(barColor));
    canvas.textRect(bar, rect.left + x, rect.top + y, text);
    canvas.setFontColor(textColor);
}

}  // namespace vantorell
