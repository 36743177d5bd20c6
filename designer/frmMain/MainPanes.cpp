// The editor panes of the main window and their resize handlers. The tree and the measures
// grid show the editors' working copy; the lower pages hold plain views until their editors
// bring their own.
#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QTreeView>
#include <algorithm>

#include "designer/frmMain/DimsCatsEditor.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/PanelSplitter.h"
#include "designer/frmMain/TForm1.h"
#include "designer/views/GridView.h"
#include "designer/views/NodeTreeView.h"

namespace vantorell {
namespace {

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
}

template <typename Layout>
Layout* tightLayout(QWidget* owner) {
    auto* layout = new Layout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

}  // namespace

void TForm1::nulPanesCreate() {
    auto* client = named(new QWidget(this), "pnlClient");
    setCentralWidget(client);
    named(statusBar(), "sbrStatus");

    // Upper left: the dimension/category tree with the code list beside it.
    pnlTop = named(new QWidget(client), "pnlTop");
    pnlDimsCats = named(new QWidget(pnlTop), "pnlDimsCats");
    HeaderControl1 = named(new QHeaderView(Qt::Horizontal, pnlDimsCats), "HeaderControl1");
    auto* headings = new QStandardItemModel(0, 2, HeaderControl1);
    headings->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Code")});
    headings->setHeaderData(1, Qt::Horizontal, int(Qt::AlignCenter), Qt::TextAlignmentRole);
    HeaderControl1->setModel(headings);
    HeaderControl1->setStretchLastSection(false);
    // One row of headings; a header outside a view would otherwise take a scroll area's height.
    HeaderControl1->setFixedHeight(HeaderControl1->sizeHint().height());
    HeaderControl1->resizeSection(0, 215);
    HeaderControl1->resizeSection(1, 79);
    pnlDimsCatsSubSub = named(new QWidget(pnlDimsCats), "pnlDimsCatsSubSub");
    tvwDimsCats = named(new NodeTreeView(editors.tvwDimsCats, pnlDimsCatsSubSub), "tvwDimsCats");
    tvwDimsCats->setFixedWidth(216);
    lvwDimsCats = named(new QListView(pnlDimsCatsSubSub), "lvwDimsCats");
    nulDimsCatsViewsConnect();
    auto* treeAndCodes = tightLayout<QHBoxLayout>(pnlDimsCatsSubSub);
    treeAndCodes->addWidget(tvwDimsCats);
    treeAndCodes->addWidget(lvwDimsCats, 1);
    auto* dimsCats = tightLayout<QVBoxLayout>(pnlDimsCats);
    dimsCats->addWidget(tbrDimsCatsButtons);
    dimsCats->addWidget(HeaderControl1);
    dimsCats->addWidget(pnlDimsCatsSubSub, 1);

    // Upper right: the measures.
    sprVertSplitter =
        named(new PanelSplitter(Qt::Horizontal, *pnlDimsCats, pnlTop), "sprVertSplitter");
    pnlMeasures = named(new QWidget(pnlTop), "pnlMeasures");
    sgdMeasures = named(new GridView(editors.sgdMeasures, pnlMeasures), "sgdMeasures");
    nulMeasuresToolBarCreate();
    auto* measures = tightLayout<QVBoxLayout>(pnlMeasures);
    measures->addWidget(tbrMeasuresButtons);
    measures->addWidget(sgdMeasures, 1);
    auto* top = tightLayout<QHBoxLayout>(pnlTop);
    top->addWidget(pnlDimsCats);
    top->addWidget(sprVertSplitter);
    top->addWidget(pnlMeasures, 1);

    // Lower: the measure values and irregularities pages.
    sprHorzSplitter = named(new PanelSplitter(Qt::Vertical, *pnlTop, client), "sprHorzSplitter");
    pclValues = named(new QTabWidget(client), "pclValues");
    tstMeasureValues = named(new QWidget(pclValues), "tstMeasureValues");
    sgdMeasureValues =
        named(new GridView(editors.sgdMeasureValues, tstMeasureValues), "sgdMeasureValues");
    nulMeasureValuesToolBarCreate();
    auto* values = tightLayout<QVBoxLayout>(tstMeasureValues);
    values->addWidget(tbrMeasureValuesButtons);
    values->addWidget(sgdMeasureValues, 1);
    tstIrregularities = named(new QWidget(pclValues), "tstIrregularities");
    sgdIrregularities =
        named(new GridView(editors.sgdIrregularities, tstIrregularities), "sgdIrregularities");
    nulIrregularitiesToolBarCreate();
    auto* irregularities = tightLayout<QVBoxLayout>(tstIrregularities);
    irregularities->addWidget(tbrIrregularitiesButtons);
    irregularities->addWidget(sgdIrregularities, 1);
    pclValues->addTab(tstMeasureValues, QStringLiteral("Measure &Values"));
    pclValues->addTab(tstIrregularities, QStringLiteral("Dimension &Irregularities"));

    // The lower pages take what the upper panel leaves, down to nothing.
    pclValues->setMinimumHeight(1);
    auto* panes = tightLayout<QVBoxLayout>(client);
    panes->addWidget(pnlTop);
    panes->addWidget(sprHorzSplitter);
    panes->addWidget(pclValues, 1);
    // While the lower pages are hidden, the space they leave stays below the upper panel.
    panes->addStretch();
    sprHorzSplitter->setPanelSize(300);
    sprVertSplitter->setPanelSize(304);

    connect(HeaderControl1, &QHeaderView::sectionResized, this,
            [this](int section, int, int) { HeaderControl1SectionResize(section); });
    lvwDimsCats->installEventFilter(this);
    pnlDimsCatsSubSub->installEventFilter(this);
    nulMeasuresViewsConnect();
    nulMeasureValuesViewsConnect();
    nulIrregularitiesViewsConnect();
    nulEditorViewsConnect();
}

void TForm1::nulEditorViewsConnect() {
    // Column widths come from the texts as the grid's view measures them.
    nulSgdMeasuresHeadingsSet(editors.sgdMeasures);
    editors.lvwDimsCats.onChanged = [this] { nulCodeListShow(); };
    // Every repaint of the tree refills the codes in view, so that they follow scrolling,
    // expanding and collapsing.
    tvwDimsCats->onCustomDraw = [this] { nulDimsCatsDisplayCodes(editors); };
    editors.onStatusTextChanged = [this] {
        statusBar()->showMessage(QString::fromStdString(editors.statusText()));
    };
    editors.onBusyCursor = [](bool busy) {
        if (busy) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QApplication::restoreOverrideCursor();
        }
    };
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && watched == lvwDimsCats->viewport()) {
        lvwDimsCatsMouseDown(static_cast<QMouseEvent*>(event)->position().toPoint());
    } else if (event->type() == QEvent::Resize) {
        if (watched == lvwDimsCats) {
            lvwDimsCatsResize();
        } else if (watched == pnlDimsCatsSubSub) {
            pnlDimsCatsSubSubResize();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::lvwDimsCatsResize() {
    // The code column fills the list; the header's "Code" section follows it.
    HeaderControl1->resizeSection(1, lvwDimsCats->width());
}

void TForm1::HeaderControl1SectionResize(int section) {
    const QVariant text = HeaderControl1->model()->headerData(section, Qt::Horizontal);
    if (text.toString() == QLatin1String("Name")) {
        tvwDimsCats->setFixedWidth(HeaderControl1->sectionSize(section));
    }
}

void TForm1::pnlDimsCatsSubSubResize() {
    // As many codes as the list can show, one per tree row.
    // The list fills the panel's height; its viewport may not have its new size yet.
    editors.lvwDimsCats.setVisibleRowCount(pnlDimsCatsSubSub->height() / intDimsCatsRowHeight() +
                                           1);
    nulDimsCatsDisplayCodes(editors);
}

}  // namespace vantorell
