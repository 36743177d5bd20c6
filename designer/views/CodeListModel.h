#pragma once
// The code list beside the tree on screen: its captions, edited in place, and rows as high
// as the tree's, so that each code stands beside its node.

#include <QPointer>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <functional>
#include <string>

namespace vantorell {

// The captions; an edited caption goes to `edited`, which shows the codes again itself.
class CodeListModel : public QStringListModel {
public:
    CodeListModel(QObject* parent, std::function<void(int row, std::string& text)> edited);

    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Shows the captions; a list of the same length changes row by row, so that an edit
    // being committed and the list's selection survive.
    void show(const QStringList& captions);

private:
    std::function<void(int, std::string&)> edited_;
};

// Rows of the given height, and their in-place editor: the row an edit starts on is told,
// and the edit can be ended from outside.
class CodeListDelegate : public QStyledItemDelegate {
public:
    CodeListDelegate(QObject* parent, std::function<int()> rowHeight,
                     std::function<void(int row)> editStarted);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

    // Commits and closes an open edit.
    void endEdit();

private:
    std::function<int()> rowHeight_;
    std::function<void(int)> editStarted_;
    mutable QPointer<QWidget> editor_;
};

}  // namespace vantorell
