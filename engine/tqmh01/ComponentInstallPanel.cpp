#include "engine/tqmh01/ComponentInstallPanel.h"

#include <QLabel>
#include <QVBoxLayout>

#include "engine/tqmh01/ComponentInstall.h"
#include "platform/NamedObject.h"
#include "platform/ProgramNames.h"

namespace vantorell::engine {

ComponentInstallPanel::ComponentInstallPanel(const std::string& programFolder, QWidget* parent)
    : QFrame(parent), programFolder_(programFolder) {
    setObjectName(QStringLiteral("ProgInstPanel"));
    // The same font as the download panel, for the same narrow window.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    new QVBoxLayout(this);

    PrevCopyButton = named(new QPushButton(QStringLiteral("Install")), "PrevCopyButton");
    GenCopyButton = named(new QPushButton(QStringLiteral("Install")), "GenCopyButton");
    InstallerCopyButton =
        named(new QPushButton(QStringLiteral("Install and Exit")), "InstallerCopyButton");
    RunSetupButton = named(new QPushButton(QStringLiteral("Install and Exit")), "RunSetupButton");
    addRow({QStringLiteral("Install Vantorell (model designer)")}, PrevCopyButton, true);
    addRow({QStringLiteral("Install Vantorell Database Generator")}, GenCopyButton, true);
    addRow({QStringLiteral("Install a new version of this installation program"),
            // The updater's own program file, under its name here.
            QString::fromStdString("Please rename eistage.exe to " +
                                   linuxProgramName("update.exe") + " in your Vantorell"),
            QStringLiteral("directory manually at this time.")},
           InstallerCopyButton, false);
    addRow({QStringLiteral("Install a complete Vantorell distribution")}, RunSetupButton, false)
        ->hide();
    static_cast<QVBoxLayout*>(layout())->addStretch();
    InstallerCopyButton->setEnabled(false);

    connect(PrevCopyButton, &QPushButton::clicked, this, &ComponentInstallPanel::CopyGUI);
    connect(GenCopyButton, &QPushButton::clicked, this, &ComponentInstallPanel::SQLCopy);
    connect(InstallerCopyButton, &QPushButton::clicked, this,
            &ComponentInstallPanel::InstallerCopyButtonClick);
    connect(RunSetupButton, &QPushButton::clicked, this, &ComponentInstallPanel::RunSetup);
}

QWidget* ComponentInstallPanel::addRow(const QStringList& lines, QPushButton* button, bool bevel) {
    // The button goes below its texts: beside them, the rows would not fit the window.
    auto* row = new QWidget(this);
    auto* rowLayout = new QVBoxLayout(row);
    for (const QString& line : lines) {
        rowLayout->addWidget(new QLabel(line, row));
    }
    rowLayout->addWidget(button, 0, Qt::AlignRight);
    layout()->addWidget(row);
    if (bevel) {
        auto* line = new QFrame(this);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Raised);
        layout()->addWidget(line);
    }
    return row;
}

void ComponentInstallPanel::CopyGUI() {
    engine::CopyGUI(programFolder_);
}

void ComponentInstallPanel::SQLCopy() {
    engine::SQLCopy(programFolder_);
}

void ComponentInstallPanel::InstallerCopyButtonClick() {
    engine::InstallerCopyButtonClick(programFolder_);
    window()->close();
}

void ComponentInstallPanel::RunSetup() {
    engine::RunSetup(programFolder_);
    window()->close();
}

}  // namespace vantorell::engine
