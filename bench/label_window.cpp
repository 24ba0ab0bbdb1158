// A second yardstick for start-up: the least a window that shows text costs, a window holding
// one label, started the same way (the probe is linked in).
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("Quorvelin"));
    window.show();
    return QApplication::exec();
}
