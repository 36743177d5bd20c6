#include "platform/WindowedStart.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace vantorell {
namespace {

const char* variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

// What Qt was asked to open, for the line of a failed start.
std::string whatWasNamed() {
    if (const char* platform = variable("QT_QPA_PLATFORM")) {
        return std::string("the window platform \"") + platform + "\"";
    }
    if (const char* display = variable("WAYLAND_DISPLAY")) {
        return std::string("the display \"") + display + "\"";
    }
    if (const char* display = variable("DISPLAY")) {
        return std::string("the display \"") + display + "\"";
    }
    return "the display";
}

// Qt's messages while the application object is made: held back, and shown after it was
// made, or replaced by the one line when Qt gives up.
struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};
std::vector<HeldMessage> held;
std::string failureLine;
int failureExit = 1;

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs(failureLine.c_str(), stderr);
        ::_exit(failureExit);
    }
    held.push_back({type, context.category != nullptr ? context.category : "", text});
}

}  // namespace

bool displayNamed() {
    return variable("QT_QPA_PLATFORM") || variable("DISPLAY") || variable("WAYLAND_DISPLAY");
}

std::unique_ptr<QApplication> startWindowedApplication(int& argc, char** argv,
                                                       const std::string& program,
                                                       int failureStatus) {
    const std::string needed = program + ": a display is needed to show this window";
    if (!displayNamed()) {
        std::fprintf(stderr, "%s, and none is set (DISPLAY, WAYLAND_DISPLAY)\n", needed.c_str());
        return nullptr;
    }
    failureLine = needed + ", and " + whatWasNamed() + " cannot be opened\n";
    failureExit = failureStatus;
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const HeldMessage& m : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, m.category.c_str());
        if (previous != nullptr) {
            previous(m.type, context, m.text);
        }
    }
    held.clear();
    return app;
}

}  // namespace vantorell
