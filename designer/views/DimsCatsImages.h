#pragma once
// The images of the dimension and category tree editor, painted: its nodes' and its tool
// buttons'.

#include <QIcon>
#include <QPoint>
#include <vector>

namespace vantorell {

inline constexpr int kIconSize = 16;

// A dimension, a selected dimension, a category, a selected category.
std::vector<QIcon> dimsCatsImages();

// A grey node box at `existing` and a green box with a plus at `added`: where a new node
// goes.
QIcon dimsCatsAddIcon(QPoint existing, QPoint added);
// A box with a plus (expand) or a minus (collapse).
QIcon dimsCatsExpandIcon(bool plus);
// A red cross.
QIcon dimsCatsRemoveIcon();

}  // namespace vantorell
