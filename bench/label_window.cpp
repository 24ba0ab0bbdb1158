// A second yardstick for start-up: the least a window that shows text costs, a window holding
// one label, started and probed the same way.
#include "StartupProbe.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("Quorvelin"));
    app::ProbeStartup(&window);
    window.show();
    return QApplication::exec();
}
