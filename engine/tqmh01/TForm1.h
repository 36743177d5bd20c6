#pragma once
// The engine's only window. It carries several panels of which at most one is shown; which
// one is decided at start from the command line.

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QPushButton>
#include <QWidget>

#include "engine/tqmh01/ComponentInstallPanel.h"
#include "engine/tqmh01/DownloadPanel.h"
#include "engine/tqmh01/FileEncryptionPanel.h"
#include "engine/tqmh01/StartupMode.h"

namespace vantorell::engine {

class TForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(const StartupState& startup, QWidget* parent = nullptr);

    // Applies the start-up layout: the window's size and caption, its panel, and the
    // caption of the welcome panel's exit button.
    void GetFileName();

    const StartupState& startup() const { return startup_; }

    QFrame* WelcomePanel;
    QPushButton* UpdateButton;   // Find Updates
    QPushButton* InstallButton;  // Install Components
    QPushButton* WelcomeExitButton;
    FileEncryptionPanel* EncryptPanel;
    QFrame* InstallPanel;  // holds DoUpdatePanel and ProgInstPanel
    DownloadPanel* DoUpdatePanel;
    ComponentInstallPanel* ProgInstPanel;
    QFrame* EnginePanel;  // the point generator lies outside this system: never shown

    // The window's pop-up menu, wherever no control has one of its own.
    QMenu* PopupMenu1;
    QAction* VersionInfo1;

public slots:
    // Find Updates: the download panel in place of the welcome panel.
    void RetrieveUpdate();
    // Install Components: the component-installation panel in place of the welcome panel;
    // started with "-U", only the database generator can be installed.
    void DoCompInstall();
    void WelcomeExit();
    void VersionInfo1Click();

protected:
    // A check or a download that is waiting for the network keeps the window open.
    void closeEvent(QCloseEvent* event) override;

private:
    QFrame* addPanel(const char* name, QWidget* parent);
    // Shows one of the install panel's panels in place of the others, with its size and
    // caption.
    void showInstallPanel(QFrame* panel, const char* caption);

    StartupState startup_;
};

}  // namespace vantorell::engine
