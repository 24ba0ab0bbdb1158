// The yardstick of the start-up benchmark: an empty Qt window as large as the main window,
// started the same way (the probe is linked in).
#include "forms/Form1Design.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    const forms::Window& main = forms::Form1Design();
    window.resize(forms::Pixels(main.clientWidth), forms::Pixels(main.clientHeight));
    window.show();
    return QApplication::exec();
}
