#include "designer/frmAbout/TForm6.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "designer/frmAbout/AboutBuilds.h"
#include "designer/views/DialogPlacement.h"
#include "platform/NamedObject.h"

namespace vantorell {
namespace {

// The product's picture: a cube of data, painted.
QPixmap productPicture() {
    constexpr int kSize = 64;
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(32, 48, 96), 1.5));
    const QPointF top[] = {{32, 6}, {58, 18}, {32, 30}, {6, 18}};
    const QPointF left[] = {{6, 18}, {32, 30}, {32, 60}, {6, 46}};
    const QPointF right[] = {{32, 30}, {58, 18}, {58, 46}, {32, 60}};
    painter.setBrush(QColor(150, 180, 230));
    painter.drawPolygon(top, 4);
    painter.setBrush(QColor(70, 110, 190));
    painter.drawPolygon(left, 4);
    painter.setBrush(QColor(40, 80, 160));
    painter.drawPolygon(right, 4);
    return picture;
}

QLabel* text(const char* name, const char* caption, QWidget* parent) {
    return named(new QLabel(QString::fromUtf8(caption), parent), name);
}

}  // namespace

TForm6::TForm6(QWidget* parent) : ModelessDialog(parent) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("About"));
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* heading = new QHBoxLayout;
    Image1 = named(new QLabel(this), "Image1");
    Image1->setPixmap(productPicture());
    heading->addWidget(Image1, 0, Qt::AlignTop);
    auto* product = new QVBoxLayout;
    sttProductName = text("sttProductName", "Vantorell", this);
    QFont big = sttProductName->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    sttProductName->setFont(big);
    product->addWidget(sttProductName);
    lblAboutCompany = text("lblAboutCompany", "by Orvane Dovozerodi Ltd.", this);
    product->addWidget(lblAboutCompany);
    lblAboutVersion = text("lblAboutVersion", "Version 2", this);
    product->addWidget(lblAboutVersion);
    product->addSpacing(8);
    lblAboutGUIBuild = text("lblAboutGUIBuild", "GUI Build: ??", this);
    product->addWidget(lblAboutGUIBuild);
    lblAboutPointsEngineBuild = text("lblAboutPointsEngineBuild", "Points Engine Build: ??", this);
    product->addWidget(lblAboutPointsEngineBuild);
    lblAboutSQLInterfaceBuild = text("lblAboutSQLInterfaceBuild", "SQL Interface Build: ??", this);
    product->addWidget(lblAboutSQLInterfaceBuild);
    heading->addLayout(product);
    layout->addLayout(heading);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnOk = named(new QPushButton(QStringLiteral("&Ok"), this), "btnOk");
    btnOk->setDefault(true);
    buttons->addWidget(btnOk);
    layout->addLayout(buttons);
    connect(btnOk, &QPushButton::clicked, this, &TForm6::btnOkClick);
}

void TForm6::btnOkClick() {
    close();
}

void TForm6::FormShow() {
    const AboutBuildLines lines = aboutBuildLinesRead(strProgramFolder);
    lblAboutGUIBuild->setText(QString::fromStdString(lines.gui));
    lblAboutPointsEngineBuild->setText(QString::fromStdString(lines.pointsEngine));
    lblAboutSQLInterfaceBuild->setText(QString::fromStdString(lines.sqlInterface));
    adjustSize();
    centreOnScreen(*this);
}

}  // namespace vantorell
