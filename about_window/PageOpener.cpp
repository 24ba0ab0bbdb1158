#include "about_window/PageOpener.h"

#include "platform/Programs.h"

#include <QObject>
#include <QSocketNotifier>

#include <memory>

namespace about_window {

void OpenWebPage(const std::string& address, QObject* context,
                 const std::function<void()>& failed) {
    auto opening = std::make_shared<platform::PageOpening>(platform::OpenWebPage(address));
    if (opening->descriptor() < 0) {
        if (!opening->opened()) {
            failed();
        }
        return;
    }
    // A child of the context: destroyed with it, which closes the descriptor unread.
    auto* const notifier =
        new QSocketNotifier(opening->descriptor(), QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, opening, failed] {
        notifier->setEnabled(false);
        const bool opened = opening->opened();
        notifier->deleteLater();
        if (!opened) {
            failed();
        }
    });
}

} // namespace about_window
