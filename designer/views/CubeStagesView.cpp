#include "designer/views/CubeStagesView.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QStringList>
#include <algorithm>
#include <exception>

#include "designer/views/LowerCaseTyping.h"
#include "designer/views/StagePictures.h"
#include "platform/MessageService.h"
#include "platform/NamedObject.h"

namespace vantorell {
namespace {

constexpr int kBlinkMilliseconds = 500;
constexpr int kTemplateStates[6] = {kStatusUnknownOff, kStatusUnknownOn,  kStatusSuccessOff,
                                    kStatusSuccessOn,  kStatusFailureOff, kStatusFailureOn};
constexpr const char* kTemplateNames[6] = {"imgStatusUnknownOff", "imgStatusUnknownOn",
                                           "imgStatusSuccessOff", "imgStatusSuccessOn",
                                           "imgStatusFailureOff", "imgStatusFailureOn"};

// The progress texts keep one size, room for three lines, so that a long message never
// resizes the dialog.
constexpr int kProgressWidth = 420;
constexpr int kProgressLines = 3;

QLabel* progressText(const char* name, QWidget* parent) {
    auto* label = named(new QLabel(parent), name);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFixedSize(kProgressWidth,
                        label->fontMetrics().lineSpacing() * kProgressLines + 2 * label->margin());
    return label;
}

}  // namespace

void nulEditTextShow(QLineEdit* edit, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (edit->text() != shown) {
        edit->setText(shown);
    }
}

QString strElidedText(const QString& text, const QFontMetrics& metrics, int width) {
    return metrics.horizontalAdvance(text) <= width
               ? text
               : metrics.elidedText(text, Qt::ElideMiddle, std::max(width, 0));
}

void nulBoundedTextShow(QLabel* label, const std::string& text) {
    const QString full = QString::fromStdString(text);
    // Words wrap; a word too long for a line of its own (a long file name) is shortened in
    // its middle, and the whole text goes into the tool tip.
    const QFontMetrics metrics = label->fontMetrics();
    const int width = label->width() - 2 * label->margin();
    QStringList words = full.split(QLatin1Char(' '));
    bool shortened = false;
    for (QString& word : words) {
        const QString elided = strElidedText(word, metrics, width);
        shortened = shortened || elided != word;
        word = elided;
    }
    const QString shown = words.join(QLatin1Char(' '));
    if (label->text() != shown) {
        label->setText(shown);
    }
    const bool cut = label->heightForWidth(label->width()) > label->height();
    label->setToolTip(shortened || cut ? full : QString());
}

CubeStagesView::CubeStagesView(CubeSession& session, const char* intro, const Stage2Names& stage2,
                               QWidget* parent)
    : QWidget(parent), session_(session) {
    setObjectName(QStringLiteral("pnlStages"));
    lblIntro = named(new QLabel(QString::fromUtf8(intro), this), "lblIntro");
    lblIntro->setWordWrap(true);

    const char* headings[5] = {"STEP 1: IDENTIFICATION", "STEP 2: AUTHENTICATION:", stage2.heading,
                               "STEP 4: SELECTION", "STEP 5: TRANSFER"};
    const char* images[5] = {"imgIdentification", "imgAuthentication", stage2.image, "imgSelection",
                             "imgTransfer"};
    auto* stages = new QGridLayout;
    for (int stage = 0; stage < 5; ++stage) {
        const auto k = static_cast<std::size_t>(stage);
        imgStage[k] = named(new QLabel(this), images[k]);
        imgStage[k]->setFixedSize(kStagePictureSize, kStagePictureSize);
        lblStep[k] = new QLabel(QString::fromUtf8(headings[k]), this);
        QFont bold = lblStep[k]->font();
        bold.setBold(true);
        lblStep[k]->setFont(bold);
        auto* column = new QVBoxLayout;
        column->addWidget(lblStep[k]);
        bodies_[k] = new QVBoxLayout;
        bodies_[k]->setContentsMargins(12, 0, 0, 6);
        column->addLayout(bodies_[k]);
        stages->addWidget(imgStage[k], stage, 0, Qt::AlignTop);
        stages->addLayout(column, stage, 1);
        shownPictures_[k] = 0;
    }
    for (int i = 0; i < 6; ++i) {
        imgTemplates[static_cast<std::size_t>(i)] = named(new QLabel(this), kTemplateNames[i]);
        imgTemplates[static_cast<std::size_t>(i)]->setPixmap(stagePicture(kTemplateStates[i]));
        imgTemplates[static_cast<std::size_t>(i)]->hide();
    }

    edtUserID = named(new QLineEdit(this), "edtUserID");
    lowerCaseTyping(edtUserID);
    metPassword = named(new QLineEdit(this), "metPassword");
    metPassword->setEchoMode(QLineEdit::Password);
    btnIdentification =
        named(new QPushButton(QStringLiteral("Co&ntinue"), this), "btnIdentification");
    btnIdentification->setDefault(true);
    btnIdentification->setEnabled(false);
    auto* identification = new QHBoxLayout;
    identification->addWidget(new QLabel(QStringLiteral("User ID:"), this));
    identification->addWidget(edtUserID);
    identification->addWidget(new QLabel(QStringLiteral("Password:"), this));
    identification->addWidget(metPassword);
    identification->addWidget(btnIdentification);
    bodies_[kStageIdentification]->addLayout(identification);

    lblProgress[kStageAuthentication] = progressText("lblAuthenticationProgress", this);
    bodies_[kStageAuthentication]->addWidget(lblProgress[kStageAuthentication]);
    lblProgress[kStageAcceptance] = progressText(stage2.progress, this);
    bodies_[kStageAcceptance]->addWidget(lblProgress[kStageAcceptance]);
    lblProgress[kStageTransfer] = progressText("lblTransferProgress", this);
    bodies_[kStageTransfer]->addWidget(lblProgress[kStageTransfer]);
    ggeTransferProgress = named(new QProgressBar(this), "ggeTransferProgress");
    ggeTransferProgress->setRange(0, 100);
    ggeTransferProgress->setValue(0);
    bodies_[kStageTransfer]->addWidget(ggeTransferProgress);

    btnClose = named(new QPushButton(QStringLiteral("&Close"), this), "btnClose");
    btnClose->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnClose);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblIntro);
    layout->addSpacing(6);
    layout->addLayout(stages);
    layout->addLayout(buttons);

    tmrStageImageTimer = named(new QTimer(this), "tmrStageImageTimer");
    tmrStageImageTimer->setInterval(kBlinkMilliseconds);

    // The edit's text as it is now: a change made while the signal is on its way (the
    // lower-casing of what was typed) must not be undone by the older text.
    connect(edtUserID, &QLineEdit::textChanged, this, [this] {
        if (!showing()) {
            session_.edtUserIDChange(edtUserID->text().toStdString());
        }
    });
    connect(metPassword, &QLineEdit::textChanged, this, [this] {
        if (!showing()) {
            session_.metPasswordChange(metPassword->text().toStdString());
        }
    });
    connect(btnIdentification, &QPushButton::clicked, this,
            [this] { guarded([this] { session_.btnIdentificationClick(); }); });
    connect(btnClose, &QPushButton::clicked, this,
            [this] { guarded([this] { session_.btnCloseClick(); }); });
    connect(tmrStageImageTimer, &QTimer::timeout, this,
            [this] { session_.tmrStageImageBlinker(); });
}

void CubeStagesView::guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        showMessage("Vantorell", e.what(), MessageIcon::Error);
        session_.nulStageRecover();
    }
}

void CubeStagesView::nulImageShow(int stage) {
    const auto k = static_cast<std::size_t>(stage);
    const int picture = session_.imgStage[k].picture;
    if (shownPictures_[k] == picture) {
        return;
    }
    for (int i = 0; i < 6; ++i) {
        if (kTemplateStates[i] == picture) {
            imgStage[k]->setPixmap(imgTemplates[static_cast<std::size_t>(i)]->pixmap());
            shownPictures_[k] = picture;
        }
    }
}

void CubeStagesView::nulControlsShow() {
    const Showing showing(*this);
    nulEditTextShow(edtUserID, session_.edtUserID.text);
    edtUserID->setEnabled(session_.edtUserID.enabled);
    nulEditTextShow(metPassword, session_.metPassword.text);
    metPassword->setEnabled(session_.metPassword.enabled);
    btnIdentification->setEnabled(session_.btnIdentification.enabled);
    btnClose->setEnabled(session_.btnClose.enabled);
    for (int stage = 0; stage < 5; ++stage) {
        nulImageShow(stage);
        QLabel* progress = lblProgress[static_cast<std::size_t>(stage)];
        if (progress != nullptr) {
            nulBoundedTextShow(progress, session_.lblProgress[static_cast<std::size_t>(stage)]);
        }
    }
    if (session_.tmrStageImageTimer && !tmrStageImageTimer->isActive()) {
        tmrStageImageTimer->start();
    } else if (!session_.tmrStageImageTimer && tmrStageImageTimer->isActive()) {
        tmrStageImageTimer->stop();
    }
}

}  // namespace vantorell
