#include "qt/Program.h"

#include "forms/AppDescriptor.h"

#include <QApplication>

namespace qt {

Program::Program(qt::AboutServices services)
    : about_(forms::AppDescriptor, std::move(services), [this] { lifetime_.WindowClosed(); }),
      lifetime_(about_, [] { QCoreApplication::exit(0); }), form_([this] { about_.Request(); },
                                                                  [this] {
                                                                      about_.MainWindowClosed();
                                                                      lifetime_.MainClosed();
                                                                  }) {
    // The program ends by the rule every front-end follows (Lifetime), not by Qt's own.
    QApplication::setQuitOnLastWindowClosed(false);
    form_.show();
}

} // namespace qt
