#pragma once
// The engine's only window. It carries several panels of which at most one is shown; which
// one is decided at start from the command line.

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QPushButton>
#include <QWidget>

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
    QPushButton* WelcomeExitButton;
    FileEncryptionPanel* EncryptPanel;
    QFrame* InstallPanel;  // holds DoUpdatePanel and ProgInstPanel
    QFrame* DoUpdatePanel;
    QFrame* ProgInstPanel;
    QFrame* EnginePanel;  // the point generator lies outside this system: never shown

    // The window's pop-up menu, wherever no control has one of its own.
    QMenu* PopupMenu1;
    QAction* VersionInfo1;

public slots:
    void WelcomeExit();
    void VersionInfo1Click();

private:
    QFrame* addPanel(const char* name, QWidget* parent);

    StartupState startup_;
};

}  // namespace vantorell::engine
