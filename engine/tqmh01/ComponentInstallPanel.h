#pragma once
// The component-installation panel: one row per component, each with what it installs and
// its button, the rows separated by raised bevels.

#include <QFrame>
#include <QPushButton>
#include <string>

namespace vantorell::engine {

class ComponentInstallPanel : public QFrame {
    Q_OBJECT

public:
    ComponentInstallPanel(const std::string& programFolder, QWidget* parent);

    QPushButton* PrevCopyButton;       // the designer
    QPushButton* GenCopyButton;        // the database generator
    QPushButton* InstallerCopyButton;  // this installer: stays disabled
    QPushButton* RunSetupButton;       // a complete distribution: its row is never shown

public slots:
    void CopyGUI();
    void SQLCopy();
    void InstallerCopyButtonClick();
    void RunSetup();

private:
    // Adds a row with its texts and button, and the bevel below it.
    QWidget* addRow(const QStringList& lines, QPushButton* button, bool bevel);

    std::string programFolder_;
};

}  // namespace vantorell::engine
