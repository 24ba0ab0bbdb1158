// A second yardstick for start-up: the least a window that shows text costs, a window holding
// one label, started the same way (the probe is linked in). It is at least as large as the
// main window, whose surface the program pays for too; its text is still measured before it
// shows, as a real window's is.
#include "forms/Form1Design.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("Quorvelin"));
    const forms::Window& main = forms::Form1Design();
    window.setMinimumSize(forms::Pixels(main.clientWidth), forms::Pixels(main.clientHeight));
    window.show();
    return QApplication::exec();
}
