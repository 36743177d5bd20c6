#pragma once
// Restoring and storing a window's placement in the settings file (see FormPlacement.h).

#include "platform/IniFile.h"

class QWidget;

namespace vantorell {

// Restores size, position and state from the window's placement section, inside the
// available area of the window's screen, then lets pending events run.
void nulFormPlacementLoad(QWidget& window, const IniFile& settings);

// Stores the placement (see placementWrite), then lets pending events run. Raises
// IniFileError when the file cannot be written.
void nulFormPlacementSave(QWidget& window, IniFile& settings);

}  // namespace vantorell
