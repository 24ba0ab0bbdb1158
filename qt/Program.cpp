#include "qt/Program.h"

#include "forms/AppDescriptor.h"

#include <QWindow>

namespace qt {

Program::Program(qt::AboutServices services)
    : about_(forms::AppDescriptor, std::move(services)), form_([this] { about_.Request(); }) {
    form_.show();
    // Closing the main window hides it; nothing else does.
    QObject::connect(form_.windowHandle(), &QWindow::visibleChanged, [this](bool visible) {
        if (!visible) {
            about_.MainWindowClosed();
        }
    });
}

} // namespace qt
