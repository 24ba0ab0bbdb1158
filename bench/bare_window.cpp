// The yardstick of the start-up benchmark: an empty Qt window, started and probed the same way.
#include "StartupProbe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    app::ProbeStartup(&window);
    window.show();
    return QApplication::exec();
}
