#include "qt/Accessibility.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace qt {
namespace {

constexpr const char* WindowRole = "quorvelinAccessibleRole";
constexpr const char* Decorative = "quorvelinDecorative";
constexpr const char* Link = "quorvelinLink";
constexpr const char* ReadOnlyBox = "quorvelinReadOnlyBox";
constexpr const char* Notification = "quorvelinNotification";

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

// A read-only box: its text can be read, selected and copied, not edited. Qt's own description
// of a line edit is private, so this one reads the box through its public interface.
class ReadOnlyText : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadOnlyText(QLineEdit* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.editable = false;
        state.selectableText = true;
        return state;
    }

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? box()->text() : QAccessibleWidget::text(kind);
    }

    QString text(int start, int end) const override {
        return box()->text().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(box()->text().size()); }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }

    void selection(int index, int* start, int* end) const override {
        const bool any = index == 0 && box()->hasSelectedText();
        *start = any ? box()->selectionStart() : 0;
        *end = any ? box()->selectionEnd() : 0;
    }
    void setSelection(int index, int start, int end) override {
        if (index == 0) {
            box()->setSelection(start, end - start);
        }
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override {
        if (index == 0) {
            box()->deselect();
        }
    }
    void scrollToSubstring(int start, int end) override {
        box()->setCursorPosition(end);
        box()->setCursorPosition(start);
    }
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset; // no text attributes
        return {};
    }
    int offsetAtPoint(const QPoint& point) const override {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }

    // Where the character is drawn: the text laid out in one line, aligned as the box aligns
    // it, inside the frame and the two pixels a line edit keeps on each side.
    QRect characterRect(int offset) const override {
        const QString all = box()->text();
        if (offset < 0 || offset >= all.size()) {
            return {};
        }
        const QFontMetrics metrics(box()->font());
        const int frame = box()->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box());
        const QRect line =
            QStyle::alignedRect(box()->layoutDirection(), box()->alignment(),
                                QSize(metrics.horizontalAdvance(all), metrics.height()),
                                box()->rect().adjusted(frame + 2, frame, -frame - 2, -frame));
        const QRect character(line.left() + metrics.horizontalAdvance(all.left(offset)), line.top(),
                              metrics.horizontalAdvance(all.at(offset)), line.height());
        return character.translated(box()->mapToGlobal(QPoint(0, 0)));
    }

private:
    QLineEdit* box() const { return static_cast<QLineEdit*>(widget()); }
};

// Shown to nobody who looks: a notification for those who listen, named by its words and
// describing the text it tells.
class Announcement : public QWidget {
public:
    Announcement(QLineEdit* box, const QString& words) : QWidget(box->parentWidget()) {
        setObjectName(box->objectName() + QStringLiteral("Annonce"));
        setProperty(Notification, true);
        setAccessibleName(words);
        setGeometry(QRect(box->geometry().topLeft(), QSize())); // read just after the box
        setFocusPolicy(Qt::NoFocus);
        hide();
        QObject::connect(box, &QLineEdit::textChanged, this, &Announcement::tell);
    }

private:
    // Screen readers speak a notification as it becomes showing: each text shows it anew.
    void tell(const QString& text) {
        if (text.isEmpty()) {
            return;
        }
        setAccessibleDescription(text);
        hide();
        show();
    }
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
    if (auto* const box = qobject_cast<QLineEdit*>(widget);
        box && box->property(ReadOnlyBox).toBool()) {
        return new ReadOnlyText(box);
    }
    if (widget->property(Notification).toBool()) {
        return new QAccessibleWidget(widget, QAccessible::Notification);
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

void DescribeReadOnlyBox(QLineEdit* box) {
    installOnce();
    box->setProperty(ReadOnlyBox, true);
    forgetDescription(box);
}

void AnnounceNewTexts(QLineEdit* box, const QString& words) {
    installOnce();
    new Announcement(box, words);
}

} // namespace qt
