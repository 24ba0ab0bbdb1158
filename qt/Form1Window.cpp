#include "qt/Form1Window.h"

#include "forms/Form1Design.h"
#include "qt/Bindings.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

namespace qt {
namespace {

// Enter and the keypad's Enter press the focused button, as Space does: people who fill a
// form from the keyboard end it with Enter.
class PressOnEnter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                static_cast<QAbstractButton*>(watched)->click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

Form1Window::Form1Window(std::function<void()> requestAbout, std::function<void()> closed)
    // An application window (taskbar entry, Alt+Tab) whose frame offers only the close box.
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      closed_(std::move(closed)), view_(this, forms::Form1Design(),
                                        [this](const QString& caption, const QString& text) {
                                            QMessageBox::information(this, caption, text);
                                        }),
      logic_(
          view_, [this](forms::Events& events) { Connect(view_, events); },
          std::move(requestAbout)) {
    for (QPushButton* const button : findChildren<QPushButton*>()) {
        button->installEventFilter(new PressOnEnter(button));
    }
}

// Showing a window hides its focus mark until a key is pressed; this one shows where the focus
// is from the start.
void Form1Window::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    setAttribute(Qt::WA_KeyboardFocusChange);
}

void Form1Window::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (closed_) {
        closed_();
    }
}

} // namespace qt
