#include "qt/Bindings.h"

#include "qt/Accessibility.h"
#include "qt/Form.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

#include <optional>

namespace qt {
namespace {

std::optional<forms::Pointer> pointerOf(const QEvent& event) {
    switch (event.type()) {
    case QEvent::MouseMove:
        return forms::Pointer::Move;
    case QEvent::MouseButtonPress:
        return forms::Pointer::Press;
    case QEvent::MouseButtonRelease:
        return forms::Pointer::Release;
    default:
        return std::nullopt;
    }
}

// The window's mouse events, its own and those its labels ignore and pass on, told to the
// behaviour with the control under the pointer.
class PointerReports : public QObject {
public:
    PointerReports(const Form& form, forms::Events& events)
        : QObject(form.window()), form_(form), events_(events) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const std::optional<forms::Pointer> pointer = pointerOf(*event);
        if (!pointer) {
            return false;
        }
        const auto* const mouse = static_cast<const QMouseEvent*>(event);
        if (*pointer == forms::Pointer::Move || mouse->button() == Qt::LeftButton) {
            events_.Report(*pointer,
                           under(static_cast<QWidget*>(watched), mouse->position().toPoint()));
        }
        return false;
    }

private:
    std::optional<std::size_t> under(QWidget* window, QPoint at) const {
        QWidget* child = window->childAt(at);
        while (child != nullptr && child->parentWidget() != window) {
            child = child->parentWidget();
        }
        return form_.index(child ? child : window);
    }

    const Form& form_;
    forms::Events& events_;
};

} // namespace

void Connect(const Form& form, forms::Events& events) {
    QWidget* const window = form.window();
    bool pointer = false;
    for (const forms::Events::Bound& bound : events.bound()) {
        QWidget* const widget = form.widget(bound.control);
        const auto& handler = bound.handler;
        if (auto* const button = qobject_cast<QAbstractButton*>(widget)) {
            QObject::connect(button, &QAbstractButton::clicked, window, handler);
        } else if (auto* const box = qobject_cast<QLineEdit*>(widget)) {
            QObject::connect(box, &QLineEdit::textChanged, window, handler);
        } else {
            pointer = true;
            if (bound.event == forms::Event::MouseMove) {
                widget->setMouseTracking(true);
            }
            if (auto* const label = qobject_cast<QLabel*>(widget);
                label && bound.event == forms::Event::Click) {
                DescribeLink(label);
                QObject::connect(label, &QLabel::linkActivated, window, handler);
            }
        }
    }
    if (pointer) {
        window->installEventFilter(new PointerReports(form, events));
    }
}

} // namespace qt
