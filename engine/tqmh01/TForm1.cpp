#include "engine/tqmh01/TForm1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "engine/tqmh01/StartupLayout.h"
#include "platform/NamedObject.h"

namespace vantorell::engine {
namespace {

// Size and caption of the window where no mode sets them (generation mode).
constexpr int kDesignWidth = 636;
constexpr int kDesignHeight = 305;
constexpr const char* kDesignCaption = "Vantorell Engine";

// The install panel's panels fill a window of this size.
constexpr int kInstallWidth = 368;
constexpr int kInstallHeight = 516;

}  // namespace

TForm1::TForm1(const StartupState& startup, QWidget* parent) : QWidget(parent), startup_(startup) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kDesignCaption));
    resize(kDesignWidth, kDesignHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    WelcomePanel = addPanel("WelcomePanel", this);
    auto* welcomeLayout = new QVBoxLayout(WelcomePanel);
    welcomeLayout->addStretch();
    auto* exitRow = new QHBoxLayout;
    UpdateButton =
        named(new QPushButton(QStringLiteral("Find Updates"), WelcomePanel), "UpdateButton");
    InstallButton =
        named(new QPushButton(QStringLiteral("Install Components"), WelcomePanel), "InstallButton");
    exitRow->addWidget(UpdateButton);
    exitRow->addWidget(InstallButton);
    exitRow->addStretch();
    connect(UpdateButton, &QPushButton::clicked, this, &TForm1::RetrieveUpdate);
    connect(InstallButton, &QPushButton::clicked, this, &TForm1::DoCompInstall);
    WelcomeExitButton = new QPushButton(QStringLiteral("Exit"), WelcomePanel);
    WelcomeExitButton->setObjectName(QStringLiteral("WelcomeExitButton"));
    exitRow->addWidget(WelcomeExitButton);
    welcomeLayout->addLayout(exitRow);
    connect(WelcomeExitButton, &QPushButton::clicked, this, &TForm1::WelcomeExit);

    EncryptPanel = new FileEncryptionPanel(startup_.startTime, this);
    EncryptPanel->hide();
    InstallPanel = addPanel("InstallPanel", this);
    auto* installLayout = new QVBoxLayout(InstallPanel);
    installLayout->setContentsMargins(0, 0, 0, 0);
    DoUpdatePanel = new DownloadPanel(
        startup_.programFolder, Registry::forProgramFolder(startup_.programFolder), InstallPanel);
    DoUpdatePanel->hide();
    ProgInstPanel = new ComponentInstallPanel(startup_.programFolder, InstallPanel);
    ProgInstPanel->hide();
    EnginePanel = addPanel("EnginePanel", this);

    for (QFrame* panel :
         std::initializer_list<QFrame*>{WelcomePanel, EncryptPanel, InstallPanel, EnginePanel}) {
        layout->addWidget(panel);
    }
    installLayout->addWidget(DoUpdatePanel);
    installLayout->addWidget(ProgInstPanel);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    VersionInfo1 = PopupMenu1->addAction(QStringLiteral("Version Info"));
    VersionInfo1->setObjectName(QStringLiteral("VersionInfo1"));
    connect(VersionInfo1, &QAction::triggered, this, &TForm1::VersionInfo1Click);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(mapToGlobal(at)); });
}

QFrame* TForm1::addPanel(const char* name, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromUtf8(name));
    panel->hide();
    return panel;
}

void TForm1::GetFileName() {
    const StartupLayout layout = startupLayout(startup_);
    WelcomeExitButton->setText(QString::fromStdString(layout.welcomeExitCaption));
    if (!layout.showWindow) {
        hide();
        return;
    }
    if (layout.resize) {
        resize(layout.width, layout.height);
        setWindowTitle(QString::fromStdString(layout.caption));
    }
    switch (layout.panel) {
        case StartupPanel::Welcome:
            WelcomePanel->show();
            break;
        case StartupPanel::Encrypt:
            EncryptPanel->show();
            break;
        case StartupPanel::None:
            break;
    }
    show();
}

void TForm1::showInstallPanel(QFrame* panel, const char* caption) {
    for (QWidget* other : std::initializer_list<QWidget*>{WelcomePanel, EncryptPanel, EnginePanel,
                                                          DoUpdatePanel, ProgInstPanel}) {
        other->setVisible(other == panel);
    }
    InstallPanel->show();
    resize(kInstallWidth, kInstallHeight);
    setWindowTitle(QString::fromUtf8(caption));
}

void TForm1::RetrieveUpdate() {
    showInstallPanel(DoUpdatePanel, "Vantorell Download");
    DoUpdatePanel->RetrieveUpdate();
}

void TForm1::DoCompInstall() {
    showInstallPanel(ProgInstPanel, "Vantorell Component Installation");
    if (!startup_.installButtons) {
        for (QPushButton* button :
             {ProgInstPanel->PrevCopyButton, ProgInstPanel->InstallerCopyButton,
              ProgInstPanel->RunSetupButton}) {
            button->setEnabled(false);
        }
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (DoUpdatePanel->busy()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void TForm1::WelcomeExit() {
    close();
}

void TForm1::VersionInfo1Click() {
    // A plain message box carries the program's title, as the application object gives it.
    engine::VersionInfo1Click(QCoreApplication::applicationName().toStdString());
}

}  // namespace vantorell::engine
