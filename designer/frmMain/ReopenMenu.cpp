// The reopen list's menu side: one item of the Reopen submenu per model file.
#include <QAction>
#include <QMenu>

#include "designer/frmMain/TForm1.h"

namespace vantorell {

void TForm1::nulMainMenuReopenListLoad(const IniFile& settings, const std::string& section) {
    mnuFileReopen->clear();
    reopenList_.clear();
    for (const std::string& path : ReopenList::read(settings, section)) {
        nulMainMenuReopenListAddItem(path);
    }
    nulReopenMenuEnable();
}

void TForm1::nulReopenMenuEnable() {
    // An empty submenu would drop down as a bare frame; until the list has a file there is
    // nothing to open.
    mnuFileReopen->menuAction()->setEnabled(!reopenList_.paths().empty());
}

void TForm1::nulMainMenuReopenListAddItem(const std::string& path) {
    if (!reopenList_.add(path)) {
        return;
    }
    // The caption shows the path ("&&" is a literal "&"); the item's data keeps its bytes.
    QString caption = QString::fromStdString(path);
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    auto* item = new QAction(caption, mnuFileReopen);
    item->setObjectName(QStringLiteral("mnuFileReopenList%1").arg(reopenList_.paths().size()));
    item->setData(QByteArray::fromStdString(path));
    connect(item, &QAction::triggered, this,
            [this, item] { mnuFileReopenNClick(item->data().toByteArray().toStdString()); });
    mnuFileReopen->addAction(item);
    nulReopenMenuEnable();
}

void TForm1::nulMainMenuReopenListSave(IniFile& settings, const std::string& section) {
    reopenList_.save(settings, section);
}

}  // namespace vantorell
