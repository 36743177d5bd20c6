#include "engine/tqmh01/FileEncryptionPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include "engine/tqmh01/KeyDerivation.h"
#include "platform/NamedObject.h"

namespace vantorell::engine {
namespace {

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

std::string stdText(const QLineEdit* edit) {
    return edit->text().toStdString();
}

}  // namespace

FileEncryptionPanel::FileEncryptionPanel(std::time_t startTime, QWidget* parent)
    : QFrame(parent), startTime_(startTime) {
    setObjectName(QStringLiteral("EncryptPanel"));
    setMinimumSize(517, 180);

    Label6 = named(new QLabel(QStringLiteral("Source file name:"), this), "Label6");
    UpperEdit = named(new QLineEdit(this), "UpperEdit");
    UpperBrowse = named(new QPushButton(QStringLiteral("Browse"), this), "UpperBrowse");
    Label7 = named(new QLabel(QStringLiteral("Target file name:"), this), "Label7");
    LowerEdit = named(new QLineEdit(this), "LowerEdit");
    LowerBrowse = named(new QPushButton(QStringLiteral("Browse"), this), "LowerBrowse");
    Label8 = named(new QLabel(QStringLiteral("Key 1:"), this), "Label8");
    FirstKey = named(new QLineEdit(this), "FirstKey");
    Label9 = named(new QLabel(QStringLiteral("Key 2:"), this), "Label9");
    SecondKey = named(new QLineEdit(this), "SecondKey");
    DecReqBox = named(new QCheckBox(QStringLiteral("Decrypt"), this), "DecReqBox");
    Button3 = named(new QPushButton(QStringLiteral("OK"), this), "Button3");
    Button4 = named(new QPushButton(QStringLiteral("Cancel"), this), "Button4");
    // The keys live in buffers of 256 characters.
    FirstKey->setMaxLength(static_cast<int>(kKeyTextLimit));
    SecondKey->setMaxLength(static_cast<int>(kKeyTextLimit));
    for (auto [label, buddy] : {std::pair{Label6, UpperEdit}, std::pair{Label7, LowerEdit},
                                std::pair{Label8, FirstKey}, std::pair{Label9, SecondKey}}) {
        label->setBuddy(buddy);
    }

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label6, 0, 0);
    grid->addWidget(UpperEdit, 0, 1, 1, 2);
    grid->addWidget(UpperBrowse, 0, 3);
    grid->addWidget(Label7, 1, 0);
    grid->addWidget(LowerEdit, 1, 1, 1, 2);
    grid->addWidget(LowerBrowse, 1, 3);
    grid->addWidget(Label8, 2, 0);
    grid->addWidget(FirstKey, 2, 1);
    grid->addWidget(DecReqBox, 2, 2, 2, 1);
    grid->addWidget(Label9, 3, 0);
    grid->addWidget(SecondKey, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button3);
    buttons->addWidget(Button4);
    grid->addLayout(buttons, 4, 0, 1, 4);
    grid->setColumnStretch(1, 1);

    connect(UpperBrowse, &QPushButton::clicked, this, &FileEncryptionPanel::ChooseInput);
    connect(LowerBrowse, &QPushButton::clicked, this, &FileEncryptionPanel::ChooseOutput);
    connect(Button3, &QPushButton::clicked, this, &FileEncryptionPanel::DoEncryptClick);
    connect(Button4, &QPushButton::clicked, this, &FileEncryptionPanel::EncryptCancel);
}

EncryptPanelFields FileEncryptionPanel::fields() const {
    return {stdText(UpperEdit), stdText(LowerEdit), stdText(FirstKey), stdText(SecondKey),
            DecReqBox->isChecked()};
}

void FileEncryptionPanel::ChooseInput() {
    EncryptPanelFields f = fields();
    engine::ChooseInput(f);
    UpperEdit->setText(qText(f.source));
}

void FileEncryptionPanel::ChooseOutput() {
    EncryptPanelFields f = fields();
    engine::ChooseOutput(f);
    LowerEdit->setText(qText(f.target));
}

void FileEncryptionPanel::DoEncryptClick() {
    if (DoEncrypt(fields(), startTime_)) {
        window()->close();
    }
}

void FileEncryptionPanel::EncryptCancel() {
    window()->close();
}

}  // namespace vantorell::engine
