// Linked into the benchmark's own copies of the program and of its yardsticks, never into the
// product: when the first window is first exposed, prints the monotonic clock (nanoseconds)
// and quits.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace {

class ExposeProbe : public QObject {
protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if ((event->type() == QEvent::Expose || event->type() == QEvent::Paint) && !done_) {
            done_ = true;
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            std::printf("%lld\n",
                        static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    bool done_ = false;
};

void installProbe() {
    qApp->installEventFilter(new ExposeProbe);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
