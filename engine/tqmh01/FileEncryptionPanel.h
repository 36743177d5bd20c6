#pragma once
// The File Encryption panel of the engine's window: a source, a target, two keys and the
// direction; OK runs the cipher once and closes the window, Cancel only closes it.

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <ctime>

#include "engine/tqmh01/EncryptPanelLogic.h"

namespace vantorell::engine {

class FileEncryptionPanel : public QFrame {
    Q_OBJECT

public:
    // `startTime`: when the program started; an enciphering run keys with it.
    FileEncryptionPanel(std::time_t startTime, QWidget* parent);

    QLabel* Label6;
    QLineEdit* UpperEdit;  // source
    QPushButton* UpperBrowse;
    QLabel* Label7;
    QLineEdit* LowerEdit;  // target
    QPushButton* LowerBrowse;
    QLabel* Label8;
    QLineEdit* FirstKey;
    QLabel* Label9;
    QLineEdit* SecondKey;
    QCheckBox* DecReqBox;
    QPushButton* Button3;  // OK
    QPushButton* Button4;  // Cancel

public slots:
    void ChooseInput();
    void ChooseOutput();
    void DoEncryptClick();
    void EncryptCancel();

private:
    EncryptPanelFields fields() const;

    std::time_t startTime_;
};

}  // namespace vantorell::engine
