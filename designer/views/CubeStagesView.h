#pragma once
// What the Send Model and Retrieve Cube dialogs show alike: the intro text, the five stages
// with their headings, images and progress texts, the identification fields, the transfer
// gauge, the Close button, the six hidden template pictures and the blink timer. It shows a
// CubeSession's state and hands the session what the user does; each dialog puts the
// controls of its own stages into the bodies of stages 2 and 3.

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <array>
#include <functional>

#include "designer/rtnCubeServer/CubeSession.h"

namespace vantorell {

// The names of the controls of stage 2, which differ between the dialogs.
struct Stage2Names {
    const char* heading;   // "STEP 3: ACCEPTANCE"
    const char* image;     // "imgAcceptance"
    const char* progress;  // "lblAcceptanceProgress"
};

class CubeStagesView : public QWidget {
    Q_OBJECT
public:
    CubeStagesView(CubeSession& session, const char* intro, const Stage2Names& stage2,
                   QWidget* parent);

    QLabel* lblIntro;
    QLineEdit* edtUserID;
    QLineEdit* metPassword;
    QPushButton* btnIdentification;
    QPushButton* btnClose;
    std::array<QLabel*, 5> imgStage{};
    std::array<QLabel*, 5> lblStep{};
    std::array<QLabel*, 5> lblProgress{};  // none for stages 0 and 3
    QProgressBar* ggeTransferProgress;
    QTimer* tmrStageImageTimer;
    std::array<QLabel*, 6> imgTemplates{};  // imgStatusUnknownOff .. imgStatusFailureOn

    // Where a dialog puts the controls of a stage, below its heading.
    QVBoxLayout* stageBody(int stage) const { return bodies_[static_cast<std::size_t>(stage)]; }

    // Shows the session's state of the common controls.
    void nulControlsShow();
    // Runs a handler of the user's; a failure that escapes it is shown, as the application
    // shows what reaches the message loop, and the session goes back to identification.
    void guarded(const std::function<void()>& handler);
    // True while the controls are being set from the session: their signals are not input.
    bool showing() const { return showing_ > 0; }
    // Marks the controls as being set from the session for its lifetime.
    class Showing {
    public:
        explicit Showing(CubeStagesView& view) : view_(view) { ++view_.showing_; }
        ~Showing() { --view_.showing_; }
        Showing(const Showing&) = delete;
        Showing& operator=(const Showing&) = delete;

    private:
        CubeStagesView& view_;
    };

private:
    void nulImageShow(int stage);

    CubeSession& session_;
    std::array<QVBoxLayout*, 5> bodies_{};
    std::array<int, 5> shownPictures_{};
    int showing_ = 0;
};

// Sets the text of an edit unless it already holds it, so that the user's cursor stays.
void nulEditTextShow(QLineEdit* edit, const std::string& text);

// The text as it fits `width`: itself, or shortened in its middle ("abc…xyz").
QString strElidedText(const QString& text, const QFontMetrics& metrics, int width);

// Shows a message in a word-wrapping label of fixed size: a word longer than the label is
// shortened in its middle; when anything did not fit, the whole message is the label's tool
// tip.
void nulBoundedTextShow(QLabel* label, const std::string& text);

}  // namespace vantorell
