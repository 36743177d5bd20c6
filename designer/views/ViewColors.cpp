#include "designer/views/ViewColors.h"

namespace vantorell {

QColor toQColor(Color color, const QPalette& palette) {
    if (!color.isSystem()) {
        return QColor(color.red(), color.green(), color.blue());
    }
    switch (static_cast<SystemColor>(color.value & ~Color::kSystem)) {
        case SystemColor::Highlight:
            return palette.color(QPalette::Highlight);
        case SystemColor::HighlightText:
            return palette.color(QPalette::HighlightedText);
        case SystemColor::BtnFace:
            return palette.color(QPalette::Button);
        case SystemColor::BtnText:
            return palette.color(QPalette::ButtonText);
        case SystemColor::Window:
            return palette.color(QPalette::Base);
        case SystemColor::WindowText:
            return palette.color(QPalette::Text);
        case SystemColor::ScrollBar:
            return palette.color(QPalette::Mid);
    }
    return palette.color(QPalette::Text);
}

}  // namespace vantorell
