#include "qt/Form.h"

#include "qt/Accessibility.h"
#include "qt/Fonts.h"
#include "qt/Images.h"
#include "qt/Taskbar.h"
#include "qt/Units.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QValidator>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <vector>

namespace qt {
namespace {

Qt::Alignment alignment(forms::Align align) {
    switch (align) {
    case forms::Align::Centre:
        return Qt::AlignHCenter;
    case forms::Align::Right:
        return Qt::AlignRight;
    case forms::Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

// One pixel of a 3-D border: its top and left sides in one colour, bottom and right in another.
void edge(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    painter.fillRect(r.left(), r.top(), r.width() - 1, 1, topLeft);
    painter.fillRect(r.left(), r.top(), 1, r.height() - 1, topLeft);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
    painter.fillRect(r.right(), r.top(), 1, r.height(), bottomRight);
}

// A graphical-style button: a flat field of its colour inside the raised 3-D border of Windows'
// buttons, sunken while pressed, its caption moved a pixel down and right then, and its focus a
// dotted frame four pixels in. The border takes the window's colours, the field the button's.
class GraphicalButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        const QPalette& p = palette();
        const QRect inner = rect().adjusted(1, 1, -1, -1);
        painter.fillRect(rect(), p.button());
        if (isDown()) {
            edge(painter, rect(), p.dark().color(), p.light().color());
            edge(painter, inner, p.shadow().color(), p.midlight().color());
        } else {
            edge(painter, rect(), p.midlight().color(), p.shadow().color());
            edge(painter, inner, p.light().color(), p.dark().color());
        }
        const int shift = isDown() ? 1 : 0;
        style()->drawItemText(&painter, rect().translated(shift, shift), Qt::AlignCenter, p,
                              isEnabled(), text(), QPalette::ButtonText);
        if (hasFocus()) {
            QPen dotted(p.buttonText().color(), 1);
            dotted.setCosmetic(true); // dots of one screen pixel, whatever the scale
            dotted.setDashPattern({1, 1});
            painter.setPen(dotted);
            painter.drawRect(rect().adjusted(4, 4, -5, -5));
        }
    }
};

// The pointing hand, read and decoded once for all the buttons of a window that show it.
class HandCursor {
public:
    const QCursor& get() {
        if (!cursor_) {
            cursor_ = HandPointer();
        }
        return *cursor_;
    }

private:
    std::optional<QCursor> cursor_;
};

QWidget* button(QWidget* window, const forms::Control& design, HandCursor& hand) {
    auto* const button = design.background ? new GraphicalButton(FromUtf8(design.caption), window)
                                           : new QPushButton(FromUtf8(design.caption), window);
    if (design.background) {
        SetColour(button, QPalette::Button, *design.background);
    }
    if (design.handPointer) {
        button->setCursor(hand.get());
    }
    return button;
}

// Windows' single-line boxes keep a pasted text up to its first line break or NUL.
class SingleLine : public QValidator {
public:
    using QValidator::QValidator;

    // A box never holds a break, so one found came with the text just inserted, which ends at
    // the cursor: that text is cut there.
    State validate(QString& text, int& cursor) const override {
        const auto inserted = text.begin() + cursor;
        const auto found = std::find_if(text.begin(), inserted, [](QChar c) {
            return c == QLatin1Char('\r') || c == QLatin1Char('\n') || c.isNull();
        });
        if (found != inserted) {
            const int at = static_cast<int>(found - text.begin());
            text.remove(at, cursor - at);
            cursor = at;
        }
        return Acceptable;
    }
};

// A box whose whole text stays selected: on focus, after each click and key, and after each
// change, so that a typed character replaces it instead of being refused by the length limit.
class SelectedBox : public QLineEdit {
public:
    explicit SelectedBox(QWidget* parent) : QLineEdit(parent) {
        connect(this, &QLineEdit::textEdited, this, &QLineEdit::selectAll); // menu edits too
    }

protected:
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        selectAll();
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLineEdit::mouseReleaseEvent(event);
        selectAll();
    }
    void keyPressEvent(QKeyEvent* event) override {
        QLineEdit::keyPressEvent(event); // typing a letter over the same one changes nothing
        selectAll();
    }
};

QWidget* box(QWidget* window, const forms::Control& design) {
    auto* const box = design.keepsSelected ? new SelectedBox(window) : new QLineEdit(window);
    box->setValidator(new SingleLine(box));
    box->setAlignment(alignment(design.align) | Qt::AlignVCenter);
    if (design.kind == forms::Kind::ReadOnlyBox) {
        box->setReadOnly(true); // selectable and copyable, not editable
        DescribeReadOnlyBox(box);
    }
    box->setMaxLength(design.maxLength > 0 ? design.maxLength : 32767);
    if (design.font.points > 0) {
        box->setFont(BoldSansSerif(design.font.points)); // before the text: laid out once
    }
    box->setText(FromUtf8(design.caption));
    if (design.background) {
        SetColour(box, QPalette::Base, *design.background);
    }
    if (design.foreground) {
        SetColour(box, QPalette::Text, *design.foreground);
    }
    return box;
}

QWidget* label(QWidget* window, const forms::Control& design) {
    auto* const label = new QLabel(FromUtf8(design.caption), window);
    label->setAlignment(alignment(design.align) | Qt::AlignTop);
    label->setWordWrap(true);
    if (design.background) {
        label->setAutoFillBackground(true);
        SetColour(label, QPalette::Window, *design.background);
    }
    if (design.foreground) {
        SetColour(label, QPalette::WindowText, *design.foreground);
    }
    return label;
}

// Sizes itself to the picture and its sunken border.
QWidget* picture(QWidget* window, const forms::Control& design) {
    auto* const picture = new QLabel(window);
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setLineWidth(1);
    picture->setPixmap(AppIconPixmap());
    picture->move(PixelRect(design.place).topLeft());
    picture->adjustSize();
    picture->setAutoFillBackground(true);
    SetColour(picture, QPalette::Window, design.background.value_or(forms::White));
    SetColour(picture, QPalette::WindowText, design.foreground.value_or(forms::Black));
    return picture;
}

QWidget* control(QWidget* window, const forms::Control& design, HandCursor& hand) {
    switch (design.kind) {
    case forms::Kind::Button:
        return button(window, design, hand);
    case forms::Kind::EntryBox:
    case forms::Kind::ReadOnlyBox:
        return box(window, design);
    case forms::Kind::Label:
        return label(window, design);
    case forms::Kind::PictureBox:
        return picture(window, design);
    }
    throw std::invalid_argument("control kind");
}

void setTabOrder(const forms::Window& design, const std::vector<QWidget*>& widgets) {
    QWidget* previous = nullptr;
    for (const forms::Control* const c : forms::InTabOrder(design)) {
        QWidget* const next = widgets[static_cast<std::size_t>(c - design.controls.data())];
        if (next->focusPolicy() == Qt::NoFocus) {
            continue; // labels and pictures take no focus
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, next);
        }
        previous = next;
    }
}

std::vector<QWidget*> build(QWidget* window, const forms::Window& design) {
    window->setObjectName(FromUtf8(design.name));
    window->setWindowTitle(FromUtf8(design.caption));
    if (design.hasIcon) {
        window->setWindowIcon(AppIcon());
    }
    window->setFont(SansSerif());
    UseDesignPalette(window);
    DescribeWindow(window, design.frame == forms::Frame::FixedDialog ? QAccessible::Dialog
                                                                     : QAccessible::Window);
    const QSize size(forms::Pixels(design.clientWidth), forms::Pixels(design.clientHeight));
    if (design.frame == forms::Frame::FixedDialog) {
        window->setFixedSize(size);
        KeepOutOfTaskbar(window); // a dialog of the program, not a window of its own
    } else {
        window->resize(size);
    }
    if (design.clientPlace) {
        window->setGeometry(QRect(PixelRect(*design.clientPlace).topLeft(), size));
    }
    HandCursor hand;
    std::vector<QWidget*> widgets;
    for (const forms::Control& c : design.controls) {
        QWidget* const widget = widgets.emplace_back(control(window, c, hand));
        widget->setObjectName(FromUtf8(c.name));
        if (c.kind != forms::Kind::PictureBox) {
            widget->setGeometry(PixelRect(c.place));
        }
        if (c.font.points > 0 && c.kind != forms::Kind::EntryBox) {
            widget->setFont(c.font.bold ? BoldSansSerif(c.font.points) : SansSerif(c.font.points));
        }
        if (!c.accessibleName.empty()) {
            widget->setAccessibleName(FromUtf8(c.accessibleName));
        }
        if (!c.accessibleDescription.empty()) {
            widget->setAccessibleDescription(FromUtf8(c.accessibleDescription));
        }
        if (c.decorative) {
            MarkDecorative(widget);
        }
        if (!c.announcement.empty()) {
            AnnounceNewTexts(qobject_cast<QLineEdit*>(widget), FromUtf8(c.announcement));
        }
        widget->setVisible(c.visible);
    }
    setTabOrder(design, widgets);
    if (design.defaultButton) {
        // Enter, unless another button has the focus; Esc as well in a dialog
        qobject_cast<QPushButton*>(widgets[*design.defaultButton])->setDefault(true);
    }
    if (design.initialFocus) {
        widgets[*design.initialFocus]->setFocus();
    }
    return widgets;
}

} // namespace

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Form::Form(QWidget* window, const forms::Window& design, MessageBoxShower messageBox,
           PageOpener openPage)
    : window_(window), widgets_(build(window, design)), messageBox_(std::move(messageBox)),
      openPage_(std::move(openPage)) {}

QWidget* Form::widget(std::size_t control) const {
    return control == forms::Surface ? window_ : widgets_.at(control);
}

std::optional<std::size_t> Form::index(const QWidget* widget) const {
    if (widget == window_) {
        return forms::Surface;
    }
    const auto found = std::find(widgets_.begin(), widgets_.end(), widget);
    return found == widgets_.end()
               ? std::nullopt
               : std::optional(static_cast<std::size_t>(found - widgets_.begin()));
}

std::string Form::Text(std::size_t control) const {
    QWidget* const w = widget(control);
    if (const auto* const box = qobject_cast<QLineEdit*>(w)) {
        return box->text().toStdString();
    }
    if (const auto* const label = qobject_cast<QLabel*>(w)) {
        return label->text().toStdString();
    }
    return qobject_cast<QPushButton*>(w)->text().toStdString();
}

void Form::SetText(std::size_t control, const std::string& text) {
    QWidget* const w = widget(control);
    if (auto* const box = qobject_cast<QLineEdit*>(w)) {
        box->setText(FromUtf8(text));
        if (dynamic_cast<SelectedBox*>(box) != nullptr) {
            box->selectAll();
        } else {
            box->setCursorPosition(0); // show the start of the text
        }
    } else if (auto* const label = qobject_cast<QLabel*>(w)) {
        label->setText(FromUtf8(text));
    } else {
        qobject_cast<QPushButton*>(w)->setText(FromUtf8(text));
    }
}

void Form::SetVisible(std::size_t control, bool visible) {
    widget(control)->setVisible(visible);
}

void Form::SetBackground(std::size_t control, std::optional<forms::Colour> colour) {
    QWidget* const w = widget(control);
    w->setAutoFillBackground(colour.has_value());
    if (colour) {
        SetColour(w, QPalette::Window, *colour);
    }
}

void Form::SetCaption(const std::string& caption) {
    window_->setWindowTitle(FromUtf8(caption));
}

void Form::MessageBox(const std::string& caption, const std::string& text) {
    messageBox_(FromUtf8(caption), FromUtf8(text));
}

void Form::Unload() {
    window_->close();
}

void Form::OpenWebPage(const std::string& address) {
    if (openPage_) {
        openPage_(address);
    }
}

} // namespace qt
