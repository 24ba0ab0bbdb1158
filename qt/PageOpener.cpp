#include "qt/PageOpener.h"

#include "platform/Programs.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>

#include <memory>

namespace qt {

void OpenWebPage(const std::string& address, QObject* context,
                 const std::function<void()>& failed) {
    auto opening = std::make_shared<platform::PageOpening>(platform::OpenWebPage(address));
    if (opening->descriptor() < 0) {
        if (!opening->opened()) {
            failed();
        }
        return;
    }
    // Watched for as long as the program runs, so that the opener is reaped even once the
    // window that started it is gone; only the window's message goes with the window.
    auto* const notifier = new QSocketNotifier(opening->descriptor(), QSocketNotifier::Read,
                                               QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [notifier, opening, failed, window = QPointer<QObject>(context)] {
                         notifier->setEnabled(false);
                         const bool opened = opening->opened();
                         notifier->deleteLater();
                         if (!opened && window != nullptr) {
                             failed();
                         }
                     });
}

} // namespace qt
