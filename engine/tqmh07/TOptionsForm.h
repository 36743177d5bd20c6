#pragma once
// The engine's options window: created at start with five empty text fields, never shown.
// The generation options it would hold are not part of this system.

#include <QLineEdit>
#include <QWidget>
#include <array>

namespace vantorell::engine {

class TOptionsForm : public QWidget {
public:
    explicit TOptionsForm(QWidget* parent = nullptr);

    std::array<QLineEdit*, 5> fields{};
};

}  // namespace vantorell::engine
