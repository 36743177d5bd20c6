#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantorell"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Vantorell"));
    window.show();
    return QApplication::exec();
}
