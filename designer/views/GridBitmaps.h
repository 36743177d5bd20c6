#pragma once
// The program's named bitmaps that cells draw (icons, lock marks). Each is drawn with its
// background colour, the colour of its bottom-left pixel, left out.

#include <QPixmap>
#include <map>
#include <string>

namespace vantorell {

class GridBitmaps {
public:
    void add(const std::string& name, const QPixmap& pixmap);
    // A null pixmap for an unknown name.
    QPixmap find(const std::string& name) const;

private:
    std::map<std::string, QPixmap> pixmaps_;
};

}  // namespace vantorell
