#pragma once
// Where the designer's dialogs appear: each is centred on the screen it opens on.

class QWidget;

namespace vantorell {

// Moves `dialog` to the centre of its screen's available area, its top-left corner never
// off it; a dialog that has no screen yet stays where it is.
void centreOnScreen(QWidget& dialog);

}  // namespace vantorell
