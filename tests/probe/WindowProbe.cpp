// Loaded into a real program by the end-to-end tests (LD_PRELOAD). Once the program's event
// loop runs, it writes what the user would see into the file named by
// VANTORELL_WINDOW_PROBE and ends the program: the title of each visible window, then each
// visible named widget with its text. The program itself carries no test hook.
#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QWidget>

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
        text += "window " + window->objectName().toUtf8() + ": " +
                window->windowTitle().toUtf8() + "\n";
        for (const QWidget* child : window->findChildren<QWidget*>()) {
            if (child->isVisible() && !child->objectName().isEmpty()) {
                text += child->objectName().toUtf8() + ": " + widgetText(child).toUtf8() + "\n";
            }
        }
    }
    return text;
}

void probeOnceTheLoopRuns() {
    const QString target = qEnvironmentVariable("VANTORELL_WINDOW_PROBE");
    if (target.isEmpty()) {
        return;
    }
    QTimer::singleShot(0, qApp, [target] {
        QFile file(target);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(report());
        }
        QCoreApplication::quit();
    });
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(probeOnceTheLoopRuns)
