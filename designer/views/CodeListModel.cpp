#include "designer/views/CodeListModel.h"

namespace vantorell {

CodeListModel::CodeListModel(QObject* parent,
                             std::function<void(int row, std::string& text)> edited)
    : QStringListModel(parent), edited_(std::move(edited)) {}

bool CodeListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) {
        return false;
    }
    std::string text = value.toString().toStdString();
    edited_(index.row(), text);
    return true;
}

void CodeListModel::show(const QStringList& captions) {
    const QStringList shown = stringList();
    if (captions.size() != shown.size()) {
        setStringList(captions);
        return;
    }
    for (int row = 0; row < captions.size(); ++row) {
        if (captions[row] != shown[row]) {
            QStringListModel::setData(index(row), captions[row], Qt::EditRole);
        }
    }
}

CodeListDelegate::CodeListDelegate(QObject* parent, std::function<int()> rowHeight,
                                   std::function<void(int row)> editStarted)
    : QStyledItemDelegate(parent),
      rowHeight_(std::move(rowHeight)),
      editStarted_(std::move(editStarted)) {}

QSize CodeListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    return {QStyledItemDelegate::sizeHint(option, index).width(), rowHeight_()};
}

QWidget* CodeListDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    editor_ = QStyledItemDelegate::createEditor(parent, option, index);
    editStarted_(index.row());
    return editor_;
}

void CodeListDelegate::endEdit() {
    if (QWidget* editor = editor_; editor != nullptr && editor->isVisible()) {
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

}  // namespace vantorell
