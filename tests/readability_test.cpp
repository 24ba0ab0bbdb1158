// Every text of both windows stays readable: against its background under the desktop's theme
// (the tests run under GTK's Adwaita, dark and light, too) and under a dark palette set for the
// application (as qt6ct and KDE do), and inside its control in each face that can stand in for
// "MS Sans Serif".
#include "qt/Fonts.h"
#include "qt/Program.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
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
        const int frame =
            button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        return {caption.remove(QLatin1Char('&')),
                button->rect().adjusted(frame, frame, -frame, -frame), Qt::AlignCenter};
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

// The share of a text's ink that its box shows, the text drawn from the box's top left corner.
double inkShown(const QFont& font, const Text& text) {
    const QFontMetrics metrics(font);
    QImage canvas(text.box.width() + metrics.height(), 2 * metrics.height(),
                  QImage::Format_Grayscale8);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.setFont(font);
    painter.drawText(canvas.rect(), Qt::AlignLeft | Qt::AlignTop, text.text);
    painter.end();
    double all = 0;
    double shown = 0;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const double ink = 1 - qGray(canvas.pixel(x, y)) / 255.0;
            all += ink;
            shown += x < text.box.width() && y < text.box.height() ? ink : 0;
        }
    }
    return all > 0 ? shown / all : 0;
}

QPalette darkPalette() {
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x20, 0x20, 0x20));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        dark.setColor(role, QColor(0xEE, 0xEE, 0xEE));
    }
    dark.setColor(QPalette::Base, QColor(0x25, 0x25, 0x25));
    return dark;
}

// Both windows as the program builds them, shown, with a sentence composed.
struct Windows {
    qt::Program program{{[](const std::string&, QObject*, const std::function<void()>&) {},
                         [](QWidget*, const QString&, const QString&) {}}};
    qt::Form1Window& form = program.mainWindow();

    Windows() {
        program.about().Request();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(program.about().window()));
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    }
    QList<QWidget*> controls() {
        return textControls(&form) + textControls(program.about().window());
    }
};

TEST(Readability, EveryTextStandsOutOfItsBackgroundWhateverTheTheme) {
    // Set where the test runs under a dark desktop theme: it must be the one in force.
    if (qEnvironmentVariableIsSet("QUORVELIN_DARK_THEME")) {
        EXPECT_LT(QApplication::palette().color(QPalette::Window).lightness(), 128);
    }
    const QPalette desktops = QApplication::palette();
    for (const auto& [theme, palette] : {std::pair("the desktop's", desktops),
                                         std::pair("a dark application palette", darkPalette())}) {
        QApplication::setPalette(palette);
        Windows windows;
        ASSERT_GE(windows.controls().size(), 25);
        for (QWidget* const control : windows.controls()) {
            EXPECT_GE(textContrast(control), 4.5)
                << theme << ": " << control->objectName().toStdString();
        }
    }
    QApplication::setPalette(desktops);
}

// The sentence and every caption fit their controls in each face the program may pick: across,
// and down to the baseline of the last line (descenders may touch the edge). The marks, which
// show only the top of their line, keep their ink inside their labels.
TEST(Readability, EveryTextFitsItsControlInEachSubstituteFace) {
    Windows windows;
    ASSERT_TRUE(QFontDatabase::hasFamily(QStringLiteral("Liberation Sans")))
        << "the face the package depends on";
    EXPECT_TRUE(qt::FontSubstitutes().contains(
        QFontInfo(windows.form.findChild<QLineEdit*>(QStringLiteral("TextTrame"))->font())
            .family()))
        << "the program picks one of its substitutes";
    for (const QString& face : qt::FontSubstitutes()) {
        if (!QFontDatabase::hasFamily(face)) {
            continue; // not on this machine, so not one the program can pick here
        }
        for (QWidget* const control : windows.controls()) {
            QFont font = control->font();
            font.setFamilies({face});
            const QFontMetrics metrics(font);
            const Text text = textOf(control);
            const QRect laidOut = metrics.boundingRect(text.box, text.flags, text.text);
            const std::string what =
                (face + QLatin1Char(' ') + control->objectName()).toStdString();
            EXPECT_LE(laidOut.width(), text.box.width()) << what;
            if (text.box.height() >= metrics.height()) {
                EXPECT_LE(laidOut.height() - metrics.descent(), text.box.height()) << what;
            } else {
                EXPECT_GE(inkShown(font, text), 0.9) << what << ": the mark sinks out of sight";
            }
        }
    }
}

} // namespace
