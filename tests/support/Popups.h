#pragma once

#include <functional>

class QWidget;

namespace vantorell::test {

// The submenu that `open` drops down, closed again once it is up; none when nothing drops
// down.
QWidget* poppedBy(const std::function<void()>& open);

}  // namespace vantorell::test
