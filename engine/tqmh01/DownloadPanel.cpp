#include "engine/tqmh01/DownloadPanel.h"

#include <QApplication>
#include <QGridLayout>
#include <QVBoxLayout>

#include "engine/tqmh01/UpdaterRegistry.h"
#include "platform/NamedObject.h"

namespace vantorell::engine {
namespace {

// The held texts live in buffers of 256 characters.
constexpr int kFieldLimit = 255;

// The panel fills a narrow window.
constexpr int kMargin = 4;
constexpr int kPanelPointSize = 8;

template <typename Layout>
Layout* narrow(Layout* layout) {
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    return layout;
}

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

std::string stdText(const QLineEdit* edit) {
    return edit->text().toStdString();
}

QLabel* wrapped(QLabel* label) {
    label->setWordWrap(true);
    return label;
}

QLineEdit* limited(QLineEdit* edit, int limit = kFieldLimit) {
    edit->setMaxLength(limit);
    return edit;
}

}  // namespace

DownloadPanel::DownloadPanel(const std::string& programFolder, const Registry& registry,
                             QWidget* parent)
    : QFrame(parent), updater_(programFolder, registry) {
    setObjectName(QStringLiteral("DoUpdatePanel"));
    // Laid out for its narrow window in an 8-point font, as the window was designed.
    QFont small = font();
    small.setPointSize(kPanelPointSize);
    setFont(small);
    PageControl1 = named(new QTabWidget(this), "PageControl1");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addWidget(PageControl1);
    buildDownloadSheet();
    buildFirewallSheet();
    buildIdentitySheet();
    // The labels change while a download goes on.
    updater_.OnShow = [this](const DownloadPanelState& shown) { showState(shown); };
}

void DownloadPanel::buildDownloadSheet() {
    DownloadSheet = named(new QWidget, "DownloadSheet");
    PageControl1->addTab(DownloadSheet, QStringLiteral("Downloading"));
    auto* layout = narrow(new QVBoxLayout(DownloadSheet));
    layout->addWidget(
        wrapped(new QLabel(QStringLiteral("The program will check for updates at this URL:"))));
    // The stored address is read back into a buffer of 255 bytes.
    URLedit = named(limited(new QLineEdit, static_cast<int>(kMasterUrlBuffer) - 1), "URLedit");
    layout->addWidget(URLedit);
    UpdateCheckButton = named(new QPushButton(QStringLiteral("Check Now")), "UpdateCheckButton");
    layout->addWidget(UpdateCheckButton, 0, Qt::AlignLeft);
    UpdateResultMessage = named(wrapped(new QLabel), "UpdateResultMessage");
    InstallerResultMessage = named(wrapped(new QLabel), "InstallerResultMessage");
    InterfaceResultMessage = named(wrapped(new QLabel), "InterfaceResultMessage");
    SQLResultMessage = named(wrapped(new QLabel), "SQLResultMessage");
    MasterResultMessage = named(wrapped(new QLabel), "MasterResultMessage");
    PackageResultMessage = named(wrapped(new QLabel), "PackageResultMessage");
    for (QLabel* label : {UpdateResultMessage, InstallerResultMessage, InterfaceResultMessage,
                          SQLResultMessage, MasterResultMessage, PackageResultMessage}) {
        layout->addWidget(label);
    }
    InterfaceBox = named(
        new QCheckBox(QStringLiteral("Download the latest version of the Vantorell front-end.")),
        "InterfaceBox");
    EngineBox =
        named(new QCheckBox(QStringLiteral("Download the latest version of the Vantorell Engine.")),
              "EngineBox");
    InstallerBox =
        named(new QCheckBox(QStringLiteral("Download the latest version of the Engine Installer.")),
              "InstallerBox");
    SQLBox = named(
        new QCheckBox(QStringLiteral("Download the latest version of the Database Generator.")),
        "SQLBox");
    FullBox = named(new QCheckBox(QStringLiteral("Download a complete Vantorell distribution.")),
                    "FullBox");
    for (QCheckBox* box : {InterfaceBox, EngineBox, InstallerBox, SQLBox, FullBox}) {
        layout->addWidget(box);
    }
    FullBox->hide();
    layout->addStretch();
    DownloadButton =
        named(new QPushButton(QStringLiteral("Download Latest Versions")), "DownloadButton");
    layout->addWidget(DownloadButton, 0, Qt::AlignHCenter);

    connect(UpdateCheckButton, &QPushButton::clicked, this, &DownloadPanel::UpdateDoClick);
    connect(DownloadButton, &QPushButton::clicked, this, &DownloadPanel::DoDownload);
    for (QCheckBox* box : boxes()) {
        connect(box, &QCheckBox::clicked, this, &DownloadPanel::AnyChecked);
    }
}

void DownloadPanel::buildFirewallSheet() {
    FirewallSheet = named(new QWidget, "FirewallSheet");
    PageControl1->addTab(FirewallSheet, QStringLiteral("Firewalls"));
    auto* grid = narrow(new QGridLayout(FirewallSheet));
    grid->addWidget(wrapped(new QLabel(QStringLiteral(
                        "If your computer reaches the Internet through a firewall, enter the "
                        "proxy servers that your network administrator gives you."))),
                    0, 0, 1, 2);
    ProxyNameEdit = named(limited(new QLineEdit), "ProxyNameEdit");
    ProxyPortEdit = named(limited(new QLineEdit(QStringLiteral("80"))), "ProxyPortEdit");
    FTPProxyNameEdit = named(limited(new QLineEdit), "FTPProxyNameEdit");
    FTPProxyPortEdit = named(limited(new QLineEdit(QStringLiteral("21"))), "FTPProxyPortEdit");
    const std::pair<const char*, QLineEdit*> rows[] = {
        {"HTTP Proxy Host Name:", ProxyNameEdit},
        {"HTTP Proxy Port:", ProxyPortEdit},
        {"FTP Proxy Host Name", FTPProxyNameEdit},
        {"FTP Proxy Port:", FTPProxyPortEdit},
    };
    int row = 1;
    for (const auto& [caption, edit] : rows) {
        auto* label = new QLabel(QString::fromUtf8(caption));
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row++, 1);
    }
    ProxyCheck = named(new QCheckBox(QStringLiteral("Go through proxy?")), "ProxyCheck");
    grid->addWidget(ProxyCheck, row++, 0, 1, 2);
    grid->setRowStretch(row++, 1);
    ProxyClearButton =
        named(new QPushButton(QStringLiteral("Restore Defaults")), "ProxyClearButton");
    SaveProxyButton = named(new QPushButton(QStringLiteral("Save Settings")), "SaveProxyButton");
    grid->addWidget(ProxyClearButton, row, 0);
    grid->addWidget(SaveProxyButton, row, 1, Qt::AlignRight);

    connect(ProxyClearButton, &QPushButton::clicked, this, &DownloadPanel::DoProxyClear);
    connect(SaveProxyButton, &QPushButton::clicked, this, &DownloadPanel::SaveProxySettings);
}

void DownloadPanel::buildIdentitySheet() {
    FTPSheet = named(new QWidget, "FTPSheet");
    PageControl1->addTab(FTPSheet, QStringLiteral("Identity"));
    auto* grid = narrow(new QGridLayout(FTPSheet));
    grid->addWidget(wrapped(new QLabel(QStringLiteral(
                        "Components offered on FTP servers are fetched with this user ID and "
                        "password."))),
                    0, 0, 1, 2);
    FTPuseridEdit = named(limited(new QLineEdit), "FTPuseridEdit");
    FTPpasswordEdit = named(limited(new QLineEdit), "FTPpasswordEdit");
    FTPpasswordEdit->setEchoMode(QLineEdit::Password);
    auto* user = new QLabel(QStringLiteral("User ID:"));
    auto* password = new QLabel(QStringLiteral("Password:"));
    user->setBuddy(FTPuseridEdit);
    password->setBuddy(FTPpasswordEdit);
    grid->addWidget(user, 1, 0);
    grid->addWidget(FTPuseridEdit, 1, 1);
    grid->addWidget(password, 2, 0);
    grid->addWidget(FTPpasswordEdit, 2, 1);
    PasswordSaveBox = named(new QCheckBox(QStringLiteral("Save Password?")), "PasswordSaveBox");
    grid->addWidget(PasswordSaveBox, 3, 0, 1, 2);
    grid->setRowStretch(4, 1);
    IdentitySaveButton =
        named(new QPushButton(QStringLiteral("Save Settings")), "IdentitySaveButton");
    grid->addWidget(IdentitySaveButton, 5, 1, Qt::AlignRight);

    connect(IdentitySaveButton, &QPushButton::clicked, this, &DownloadPanel::SaveIdentity);
}

std::array<QCheckBox*, 4> DownloadPanel::boxes() const {
    return {EngineBox, InstallerBox, InterfaceBox, SQLBox};
}

std::array<QLabel*, 4> DownloadPanel::results() const {
    return {UpdateResultMessage, InstallerResultMessage, InterfaceResultMessage, SQLResultMessage};
}

DownloadPanelState DownloadPanel::state() const {
    DownloadPanelState state;
    state.url = stdText(URLedit);
    for (const UpdateComponent component : kUpdateComponents) {
        const std::size_t i = componentIndex(component);
        state.components[i] = {boxes()[i]->isChecked(), results()[i]->text().toStdString()};
    }
    state.masterResult = MasterResultMessage->text().toStdString();
    state.packageResult = PackageResultMessage->text().toStdString();
    state.checkEnabled = UpdateCheckButton->isEnabled();
    state.boxesEnabled = EngineBox->isEnabled();
    state.downloadEnabled = DownloadButton->isEnabled();
    state.fields.proxyHost = stdText(ProxyNameEdit);
    state.fields.proxyPort = stdText(ProxyPortEdit);
    state.fields.ftpProxyHost = stdText(FTPProxyNameEdit);
    state.fields.ftpProxyPort = stdText(FTPProxyPortEdit);
    state.fields.useProxy = ProxyCheck->isChecked();
    state.fields.ftpUser = stdText(FTPuseridEdit);
    state.fields.ftpPassword = stdText(FTPpasswordEdit);
    state.savePassword = PasswordSaveBox->isChecked();
    return state;
}

void DownloadPanel::showState(const DownloadPanelState& state) {
    URLedit->setText(qText(state.url));
    for (const UpdateComponent component : kUpdateComponents) {
        const std::size_t i = componentIndex(component);
        boxes()[i]->setChecked(state.components[i].checked);
        boxes()[i]->setEnabled(state.boxesEnabled);
        results()[i]->setText(qText(state.components[i].result));
    }
    MasterResultMessage->setText(qText(state.masterResult));
    PackageResultMessage->setText(qText(state.packageResult));
    UpdateCheckButton->setEnabled(state.checkEnabled);
    DownloadButton->setEnabled(state.downloadEnabled);
    ProxyNameEdit->setText(qText(state.fields.proxyHost));
    ProxyPortEdit->setText(qText(state.fields.proxyPort));
    FTPProxyNameEdit->setText(qText(state.fields.ftpProxyHost));
    FTPProxyPortEdit->setText(qText(state.fields.ftpProxyPort));
    ProxyCheck->setChecked(state.fields.useProxy);
    FTPuseridEdit->setText(qText(state.fields.ftpUser));
    FTPpasswordEdit->setText(qText(state.fields.ftpPassword));
    PasswordSaveBox->setChecked(state.savePassword);
}

void DownloadPanel::runBusy(void (Updater::*operation)(DownloadPanelState&)) {
    DownloadPanelState current = state();
    {
        // While the transfers wait, events run: nothing else may start meanwhile.
        struct Busy {
            explicit Busy(DownloadPanel& panel) : panel(panel) {
                panel.busy_ = true;
                panel.window()->setEnabled(false);
                QApplication::setOverrideCursor(Qt::WaitCursor);
            }
            ~Busy() {
                QApplication::restoreOverrideCursor();
                panel.window()->setEnabled(true);
                panel.busy_ = false;
            }
            DownloadPanel& panel;
        } busy(*this);
        (updater_.*operation)(current);
    }
    showState(current);
}

void DownloadPanel::RetrieveUpdate() {
    DownloadPanelState current = state();
    updater_.RetrieveUpdate(current);
    showState(current);
}

void DownloadPanel::UpdateDoClick() {
    runBusy(&Updater::UpdateDoClick);
}

void DownloadPanel::DoDownload() {
    runBusy(&Updater::DoDownload);
}

void DownloadPanel::AnyChecked() {
    DownloadPanelState current = state();
    Updater::AnyChecked(current);
    showState(current);
}

void DownloadPanel::DoProxyClear() {
    DownloadPanelState current = state();
    updater_.DoProxyClear(current);
    showState(current);
}

void DownloadPanel::SaveProxySettings() {
    updater_.SaveProxySettings(state());
}

void DownloadPanel::SaveIdentity() {
    updater_.SaveIdentity(state());
}

}  // namespace vantorell::engine
