// Loaded into a real program by the end-to-end tests (LD_PRELOAD). Once the program's event
// loop runs, it writes what the user would see into the file named by
// VANTORELL_WINDOW_PROBE and ends the program: the title of each visible window, then each
// visible named widget with its text. When VANTORELL_WINDOW_PROBE_TRIGGER names commands (the
// object names of actions or buttons, separated by ","), the probe first runs them in turn as
// the user would, and reports once the loop has run again; a command "name=text" types the
// text into the named edit field. Buttons and fields are taken from the windows shown. Message
// boxes shown meanwhile are answered with their default button and listed first in the
// report. A program that this one starts reports what it shows into the report's name followed
// by ".child", and runs no commands. With VANTORELL_WINDOW_PROBE_MESSAGES naming a file, the
// probe only notes each message box as it is shown, one "message <caption>: <text>" line in
// that file (line breaks of the text as blanks), and leaves it open; commands named by
// VANTORELL_WINDOW_PROBE_TRIGGER then run once the message loop waits for input, and no report
// is written. The program itself carries no test hook.
#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace {

QString widgetText(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    return {};
}

// The message boxes answered so far, as "message <caption>: <text>" lines.
QByteArray& answeredMessages() {
    static QByteArray lines;
    return lines;
}

// Answers each message box as it is shown, as a user pressing Enter would.
class MessageAnswerer : public QObject {
public:
    explicit MessageAnswerer(QObject* parent) : QObject(parent) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box != nullptr && event->type() == QEvent::Show) {
            answeredMessages() +=
                "message " + box->windowTitle().toUtf8() + ": " + box->text().toUtf8() + "\n";
            QTimer::singleShot(0, box, [box] {
                QAbstractButton* button = box->defaultButton();
                if (button == nullptr && !box->buttons().isEmpty()) {
                    button = box->buttons().first();
                }
                if (button != nullptr) {
                    button->click();
                }
            });
        }
        return false;
    }
};

QByteArray report() {
    QByteArray text = answeredMessages();
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || qobject_cast<const QMenu*>(window)) {
            continue;
        }
        text += "window " + window->objectName().toUtf8() + ": " + window->windowTitle().toUtf8() +
                "\n";
        for (const QWidget* child : window->findChildren<QWidget*>()) {
            if (child->isVisible() && !child->objectName().isEmpty()) {
                text += child->objectName().toUtf8() + ": " + widgetText(child).toUtf8() + "\n";
            }
        }
    }
    return text;
}

void writeReport(const QString& target) {
    QFile file(target);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(report());
    }
    QCoreApplication::quit();
}

QAction* findAction(const QString& name) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* action = window->findChild<QAction*>(name)) {
            return action;
        }
    }
    return nullptr;
}

// Several windows may carry a control of the name; the user reaches the one shown.
template <typename Control>
Control* findShownControl(const QString& name) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        for (auto* control : window->findChildren<Control*>(name)) {
            if (control->isVisible()) {
                return control;
            }
        }
    }
    return nullptr;
}

void runCommand(const QString& command) {
    const qsizetype equals = command.indexOf(QLatin1Char('='));
    if (equals >= 0) {
        if (auto* field = findShownControl<QLineEdit>(command.left(equals))) {
            field->setText(command.mid(equals + 1));
        }
    } else if (QAction* action = findAction(command)) {
        action->trigger();
    } else if (QAbstractButton* button = findShownControl<QAbstractButton>(command)) {
        button->click();
    }
}

void runCommands(const QString& commands) {
    for (const QString& command : commands.split(QLatin1Char(','))) {
        runCommand(command);
    }
}

void probe(const QString& target, const QString& commands) {
    if (commands.isEmpty()) {
        writeReport(target);
        return;
    }
    qApp->installEventFilter(new MessageAnswerer(qApp));
    runCommands(commands);
    QTimer::singleShot(0, qApp, [target] { writeReport(target); });
}

// Notes each message box as it is shown, and leaves it to wait for its answer.
class MessageNoter : public QObject {
public:
    MessageNoter(const QString& target, QObject* parent) : QObject(parent), target_(target) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box != nullptr && event->type() == QEvent::Show) {
            QFile file(target_);
            if (file.open(QIODevice::Append)) {
                QString text = box->text();
                text.replace(QLatin1Char('\n'), QLatin1Char(' '));
                file.write("message " + box->windowTitle().toUtf8() + ": " + text.toUtf8() + "\n");
            }
        }
        return false;
    }

private:
    QString target_;
};

// Runs `then` once the program's message loop waits for input: events let run while the
// program starts up (before its message loop) are not yet what the user sees.
void onceTheLoopWaits(const std::function<void()>& then) {
    QTimer::singleShot(0, qApp, [then] {
        if (QThread::currentThread()->loopLevel() > 0) {
            then();
            return;
        }
        auto started = std::make_shared<QMetaObject::Connection>();
        *started = QObject::connect(QAbstractEventDispatcher::instance(),
                                    &QAbstractEventDispatcher::aboutToBlock, qApp, [then, started] {
                                        if (QThread::currentThread()->loopLevel() == 0) {
                                            return;
                                        }
                                        QObject::disconnect(*started);
                                        QTimer::singleShot(0, qApp, then);
                                    });
    });
}

void probeOnceTheLoopRuns() {
    const QString messages = qEnvironmentVariable("VANTORELL_WINDOW_PROBE_MESSAGES");
    const QString target = qEnvironmentVariable("VANTORELL_WINDOW_PROBE");
    const QString command = qEnvironmentVariable("VANTORELL_WINDOW_PROBE_TRIGGER");
    // What the programs started from here inherit.
    qunsetenv("VANTORELL_WINDOW_PROBE_TRIGGER");
    if (!messages.isEmpty()) {
        qApp->installEventFilter(new MessageNoter(messages, qApp));
        if (target.isEmpty() && !command.isEmpty()) {
            onceTheLoopWaits([command] { runCommands(command); });
        }
    }
    if (target.isEmpty()) {
        return;
    }
    qputenv("VANTORELL_WINDOW_PROBE", (target + QStringLiteral(".child")).toLocal8Bit());
    onceTheLoopWaits([target, command] { probe(target, command); });
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(probeOnceTheLoopRuns)
