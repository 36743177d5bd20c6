// Loaded into a real program by the end-to-end tests (LD_PRELOAD). Once the program's event
// loop runs, it writes what the user would see into the file named by
// VANTORELL_WINDOW_PROBE and ends the program: the title of each visible window, then each
// visible named widget with its text. When VANTORELL_WINDOW_PROBE_TRIGGER names a command (the
// object name of an action), the probe first runs it as the user would, and reports once the
// loop has run again. The program itself carries no test hook.
#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QThread>
#include <QTimer>
#include <QWidget>
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

QByteArray report() {
    QByteArray text;
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

QAction* findCommand(const QString& name) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* action = window->findChild<QAction*>(name)) {
            return action;
        }
    }
    return nullptr;
}

void probe(const QString& target, const QString& command) {
    if (command.isEmpty()) {
        writeReport(target);
        return;
    }
    if (QAction* action = findCommand(command)) {
        action->trigger();
    }
    QTimer::singleShot(0, qApp, [target] { writeReport(target); });
}

void probeOnceTheLoopRuns() {
    const QString target = qEnvironmentVariable("VANTORELL_WINDOW_PROBE");
    if (target.isEmpty()) {
        return;
    }
    const QString command = qEnvironmentVariable("VANTORELL_WINDOW_PROBE_TRIGGER");
    QTimer::singleShot(0, qApp, [target, command] {
        if (QThread::currentThread()->loopLevel() > 0) {
            probe(target, command);
            return;
        }
        // Events let run while the program starts up (before its message loop) are not yet
        // what the user sees: wait until the message loop waits for input.
        auto started = std::make_shared<QMetaObject::Connection>();
        *started = QObject::connect(
            QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, qApp,
            [target, command, started] {
                if (QThread::currentThread()->loopLevel() == 0) {
                    return;
                }
                QObject::disconnect(*started);
                QTimer::singleShot(0, qApp, [target, command] { probe(target, command); });
            });
    });
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(probeOnceTheLoopRuns)
