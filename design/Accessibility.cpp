#include "design/Accessibility.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QWidget>

#include <algorithm>

namespace design {
namespace {

constexpr const char* WindowRole = "quorvelinAccessibleRole";
constexpr const char* Decorative = "quorvelinDecorative";
constexpr const char* Link = "quorvelinLink";

class ReadingOrderWindow : public QAccessibleWidget {
public:
    ReadingOrderWindow(QWidget* window, QAccessible::Role role) : QAccessibleWidget(window, role) {}

    int childCount() const override { return static_cast<int>(readable().size()); }

    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> children = readable();
        return index >= 0 && index < children.size()
                   ? QAccessible::queryAccessibleInterface(children[index])
                   : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        const QList<QWidget*> children = readable();
        const auto found = std::find(children.begin(), children.end(), child->object());
        return found == children.end() ? -1 : static_cast<int>(found - children.begin());
    }

private:
    QList<QWidget*> readable() const {
        QList<QWidget*> children;
        for (QObject* const object : widget()->children()) {
            auto* const child = qobject_cast<QWidget*>(object);
            if (child != nullptr && !child->isWindow() && !child->isHidden() &&
                !child->property(Decorative).toBool()) {
                children << child;
            }
        }
        std::stable_sort(children.begin(), children.end(), [](QWidget* a, QWidget* b) {
            return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
        });
        return children;
    }
};

class LinkLabel : public QAccessibleWidget {
public:
    explicit LinkLabel(QLabel* label) : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text kind) const override {
        const QString own = QAccessibleWidget::text(kind);
        return kind == QAccessible::Name && own.isEmpty() ? label()->text() : own;
    }

    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == pressAction()) {
            emit label()->linkActivated(label()->text());
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

private:
    QLabel* label() const { return static_cast<QLabel*>(widget()); }
};

QAccessibleInterface* describe(const QString& /*className*/, QObject* object) {
    auto* const widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) {
        return nullptr;
    }
    if (const QVariant role = widget->property(WindowRole); role.isValid()) {
        return new ReadingOrderWindow(widget, static_cast<QAccessible::Role>(role.toInt()));
    }
    if (auto* const label = qobject_cast<QLabel*>(widget);
        label && label->property(Link).toBool()) {
        return new LinkLabel(label);
    }
    return nullptr;
}

// Texts set while a control is built can make Qt describe it before it is marked; that
// description is dropped so that the next one follows the mark.
void forgetDescription(QWidget* widget) {
    if (QAccessibleInterface* const made = QAccessible::queryAccessibleInterface(widget)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

void installOnce() {
    static const bool installed = [] {
        QAccessible::installFactory(describe);
        return true;
    }();
    (void)installed;
}

} // namespace

void DescribeWindow(QWidget* window, QAccessible::Role role) {
    installOnce();
    window->setProperty(WindowRole, static_cast<int>(role));
    forgetDescription(window);
}

void MarkDecorative(QWidget* widget) {
    widget->setProperty(Decorative, true);
}

void DescribeLink(QLabel* label) {
    installOnce();
    label->setProperty(Link, true);
    forgetDescription(label);
}

} // namespace design
