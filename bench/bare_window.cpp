// The yardstick of the start-up benchmark: an empty Qt window, started the same way (the probe is
// linked in).

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.show();
    return QApplication::exec();
}
