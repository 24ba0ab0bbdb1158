#include "StartupProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace app {
namespace {

class ExposeProbe : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose || event->type() == QEvent::Paint) {
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            std::printf("%lld\n",
                        static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
            std::fflush(stdout);
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};

} // namespace

void ProbeStartup(QWidget* firstWindow) {
    if (qEnvironmentVariableIntValue("QUORVELIN_STARTUP_PROBE") == 1) {
        firstWindow->installEventFilter(new ExposeProbe(firstWindow));
    }
}

} // namespace app
