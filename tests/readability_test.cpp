// Every text of both windows stays readable: against its background under a dark theme, and
// inside its control in each face that can stand in for "MS Sans Serif".
#include "about_window/frmAbout.h"
#include "design/AppDescriptor.h"
#include "main_window/Form1.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {

double luminance(QRgb rgb) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
}

double contrast(QRgb a, QRgb b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The text a control shows and the rectangle it is laid out in.
struct Text {
    QString text;
    QRect box;
    int flags;
};

Text textOf(QWidget* widget) {
    if (auto* const label = qobject_cast<QLabel*>(widget)) {
        return {label->text(), label->contentsRect(),
                static_cast<int>(label->alignment()) | Qt::TextWordWrap};
    }
    if (auto* const button = qobject_cast<QPushButton*>(widget)) {
        QString caption = button->text();
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        return {caption.remove(QLatin1Char('&')), button->rect().adjusted(margin, 0, -margin, 0),
                Qt::AlignCenter};
    }
    auto* const box = qobject_cast<QLineEdit*>(widget);
    // The frame, then the two pixels a line edit keeps on each side of its text.
    const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box) + 2;
    return {box->text(), box->rect().adjusted(frame, frame, -frame, -frame),
            static_cast<int>(box->alignment())};
}

// The readable controls of a window: shown, and holding a text.
QList<QWidget*> textControls(QWidget* window) {
    QList<QWidget*> controls;
    for (QWidget* const child : window->findChildren<QWidget*>()) {
        const bool textKind = qobject_cast<QLabel*>(child) || qobject_cast<QPushButton*>(child) ||
                              qobject_cast<QLineEdit*>(child);
        if (textKind && child->isVisible() && !textOf(child).text.isEmpty()) {
            controls << child;
        }
    }
    return controls;
}

// The contrast between the commonest colour where the text stands (its background) and the
// colour there that differs most from it (the text itself, where its strokes are solid).
double textContrast(QWidget* control) {
    const Text text = textOf(control);
    const QImage image = control->grab().toImage();

    const QRect area = control->fontMetrics()
                           .boundingRect(text.box, text.flags, text.text)
                           .intersected(image.rect());
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            ++counts[image.pixel(x, y)];
        }
    }
    const QRgb background = std::max_element(counts.begin(), counts.end(), [](auto a, auto b) {
                                return a.second < b.second;
                            })->first;
    double best = 1;
    for (const auto& [colour, count] : counts) {
        best = std::max(best, contrast(colour, background));
    }
    return best;
}

QPalette darkPalette() {
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x20, 0x20, 0x20));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        dark.setColor(role, QColor(0xEE, 0xEE, 0xEE));
    }
    dark.setColor(QPalette::Base, QColor(0x25, 0x25, 0x25));
    return dark;
}

about_window::AboutServices noServices() {
    return {[](const std::string&) {}, [](QWidget*, const QString&, const QString&) {}};
}

// Both windows, shown, with a sentence composed.
struct Windows {
    main_window::Form1 form;
    about_window::frmAbout about{design::AppDescriptor, noServices()};

    Windows() {
        form.show();
        about.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&about));
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    }
    QList<QWidget*> controls() { return textControls(&form) + textControls(&about); }
};

TEST(Readability, EveryTextStandsOutOfItsBackgroundUnderADarkTheme) {
    const QPalette saved = QApplication::palette();
    QApplication::setPalette(darkPalette());
    {
        Windows windows;
        ASSERT_GE(windows.controls().size(), 25);
        for (QWidget* const control : windows.controls()) {
            EXPECT_GE(textContrast(control), 4.5) << control->objectName().toStdString();
        }
    }
    QApplication::setPalette(saved);
}

} // namespace
