#include "designer/frmRetrC/TForm3.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <algorithm>

#include "designer/frmMain/TForm1.h"
#include "platform/NamedObject.h"

namespace vantorell {
namespace {

constexpr const char* kIntro =
    "This dialog will step you through the process of retrieving a generated model from the "
    "Cube Server.  PLEASE MAKE SURE you are connected to the internet before continuing.";

// Room the list's items leave beside their text.
constexpr int kListTextMargin = 12;

// Focus that moves to another window (a message box, another program) does not leave the
// field: only a move within the dialog does.
bool leavesWithinDialog(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

}  // namespace

TForm3::TForm3(TForm1& main)
    : CubeServerDialog(main, "Form3", kRetrieveCubeCaption), session(sessionContext(main)) {
    nulStagesCreate(session, kIntro,
                    {"STEP 3: AVAILABILITY", "imgAvailability", "lblAvailabilityProgress"},
                    main.mnuFileReceiveCube);
    lblAvailabilityProgress = stages->lblProgress[kStageAcceptance];

    QVBoxLayout* selection = stages->stageBody(kStageSelection);
    selection->addWidget(
        new QLabel(QStringLiteral("Please select one or more of the available cube(s):"), stages));
    lbxSelectionFiles = named(new QListWidget(stages), "lbxSelectionFiles");
    lbxSelectionFiles->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lbxSelectionFiles->setMinimumSize(420, 100);
    selection->addWidget(lbxSelectionFiles);
    edtSelectionSaveToDir = named(new QLineEdit(stages), "edtSelectionSaveToDir");
    edtSelectionSaveToDir->installEventFilter(this);
    sbnSelectionSaveToDir = named(new QToolButton(stages), "sbnSelectionSaveToDir");
    sbnSelectionSaveToDir->setText(QStringLiteral("..."));
    auto* folder = new QHBoxLayout;
    folder->addWidget(new QLabel(QStringLiteral("Save to Directory: "), stages));
    folder->addWidget(edtSelectionSaveToDir, 1);
    folder->addWidget(sbnSelectionSaveToDir);
    selection->addLayout(folder);
    btnSelectionDeleteFiles =
        named(new QPushButton(QStringLiteral("&Delete Selected Files"), stages),
              "btnSelectionDeleteFiles");
    btnSelection = named(new QPushButton(QStringLiteral("Co&ntinue"), stages), "btnSelection");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnSelectionDeleteFiles);
    buttons->addStretch(1);
    buttons->addWidget(btnSelection);
    selection->addLayout(buttons);
    for (QPushButton* button : {btnSelectionDeleteFiles, btnSelection}) {
        button->setAutoDefault(false);
    }

    connect(lbxSelectionFiles, &QListWidget::itemSelectionChanged, this, [this] {
        if (stages->showing()) {
            return;
        }
        std::vector<bool> selected;
        for (int i = 0; i < lbxSelectionFiles->count(); ++i) {
            selected.push_back(lbxSelectionFiles->item(i)->isSelected());
        }
        session.lbxSelectionFilesClick(selected);
    });
    connect(edtSelectionSaveToDir, &QLineEdit::textChanged, this, [this] {
        if (!stages->showing()) {
            session.edtSelectionSaveToDirChange(edtSelectionSaveToDir->text().toStdString());
        }
    });
    connect(sbnSelectionSaveToDir, &QToolButton::clicked, this,
            [this] { stages->guarded([this] { session.sbnSelectionSaveToDirClick(); }); });
    connect(btnSelectionDeleteFiles, &QPushButton::clicked, this,
            [this] { stages->guarded([this] { session.btnSelectionDeleteFilesClick(); }); });
    connect(btnSelection, &QPushButton::clicked, this,
            [this] { stages->guarded([this] { session.btnSelectionClick(); }); });
    nulControlsShow();
}

TForm3::~TForm3() {
    edtSelectionSaveToDir->removeEventFilter(this);
    nulStagesDelete();
}

bool TForm3::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edtSelectionSaveToDir && stages != nullptr) {
        if (event->type() == QEvent::FocusIn) {
            session.edtSelectionSaveToDirEnter();
        } else if (event->type() == QEvent::FocusOut &&
                   leavesWithinDialog(static_cast<QFocusEvent*>(event)->reason())) {
            stages->guarded([this] { session.edtSelectionSaveToDirExit(); });
        }
    }
    return CubeServerDialog::eventFilter(watched, event);
}

void TForm3::nulListShow() {
    bool same = lbxSelectionFiles->count() == static_cast<int>(session.lbxItems.size());
    for (int i = 0; same && i < lbxSelectionFiles->count(); ++i) {
        same = lbxSelectionFiles->item(i)->data(Qt::UserRole).toString().toStdString() ==
               session.lbxItems[static_cast<std::size_t>(i)];
    }
    if (!same) {
        lbxSelectionFiles->clear();
        // A long entry is shortened to the list's width, whole in its tool tip, so that the
        // list and the dialog keep their size.
        const int width =
            std::max(lbxSelectionFiles->viewport()->width(), lbxSelectionFiles->minimumWidth()) -
            kListTextMargin;
        for (const std::string& entry : session.lbxItems) {
            const QString full = QString::fromStdString(entry);
            const QString shown = strElidedText(full, lbxSelectionFiles->fontMetrics(), width);
            auto* item = new QListWidgetItem(shown, lbxSelectionFiles);
            item->setData(Qt::UserRole, full);
            if (shown != full) {
                item->setToolTip(full);
            }
        }
    }
    for (int i = 0; i < lbxSelectionFiles->count(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        const bool selected = k < session.lbxSelected.size() && session.lbxSelected[k];
        if (lbxSelectionFiles->item(i)->isSelected() != selected) {
            lbxSelectionFiles->item(i)->setSelected(selected);
        }
    }
}

void TForm3::nulControlsShow() {
    if (stages == nullptr || btnSelection == nullptr) {
        return;
    }
    stages->nulControlsShow();
    const CubeStagesView::Showing showing(*stages);
    nulListShow();
    lbxSelectionFiles->setEnabled(session.lbxSelectionFiles.enabled);
    nulEditTextShow(edtSelectionSaveToDir, session.edtSelectionSaveToDir.text);
    edtSelectionSaveToDir->setEnabled(session.edtSelectionSaveToDir.enabled);
    sbnSelectionSaveToDir->setEnabled(session.sbnSelectionSaveToDir.enabled);
    btnSelectionDeleteFiles->setEnabled(session.btnSelectionDeleteFiles.enabled);
    btnSelection->setEnabled(session.btnSelection.enabled);
    stages->ggeTransferProgress->setValue(session.ggeTransferProgress);
}

}  // namespace vantorell
