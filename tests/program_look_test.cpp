// What the windows look like as main() builds them, read from their pixels.
#include "qt/Program.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

bool near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
               std::abs(qBlue(a) - qBlue(b)) <
           24;
}

class ProgramLook : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QTest::qWaitForWindowExposed(&form)); }

    template <typename T> T* child(QWidget* window, const char* name) {
        T* const widget = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    qt::Program program{{[](const std::string&, QObject*, const std::function<void()>&) {},
                         [](QWidget*, const QString&, const QString&) {}}};
    qt::Form1Window& form = program.mainWindow();
};

// The columns where the sentence's ink starts and ends inside the box's frame.
std::pair<int, int> inkColumns(const QImage& box) {
    const QRgb paper = qRgb(0xFF, 0xFF, 0xC0);
    int first = box.width();
    int last = -1;
    for (int y = 4; y < box.height() - 4; ++y) {
        for (int x = 4; x < box.width() - 4; ++x) {
            if (!near(box.pixel(x, y), paper)) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    return {first, last};
}

TEST_F(ProgramLook, SentenceStandsInTheMiddleOfItsBox) {
    QTest::mouseClick(child<QPushButton>(&form, "Command1"), Qt::LeftButton);
    const QImage box = child<QLineEdit>(&form, "TextTrame")->grab().toImage();
    const auto [first, last] = inkColumns(box);
    ASSERT_LT(first, last) << "no sentence drawn";
    const int leftMargin = first;
    const int rightMargin = box.width() - 1 - last;
    EXPECT_LE(std::abs(leftMargin - rightMargin), 2) << leftMargin << " against " << rightMargin;
}

// A graphical-style button: its colour, flat, inside a raised (pressed: sunken) 3-D border of two
// pixels; only its caption and, when focused, a dotted frame four pixels in stand on the field.
TEST_F(ProgramLook, GraphicalButtonsAreAFlatFieldInsideA3DBorder) {
    const struct {
        const char* name;
        QRgb colour;
        bool pressed;
    } cases[] = {{"Command1", qRgb(0x80, 0xFF, 0x80), false},
                 {"CmdAide", qRgb(0xC0, 0xC0, 0xC0), false},
                 {"Command1", qRgb(0x80, 0xFF, 0x80), true}};
    for (const auto& c : cases) {
        auto* const button = child<QPushButton>(&form, c.name);
        button->setDown(c.pressed);
        const QImage image = button->grab().toImage();
        button->setDown(false);
        const int w = image.width();
        const int h = image.height();
        // The caption's box, with room for antialiasing, moved one pixel when pressed.
        QRect caption = button->fontMetrics().boundingRect(button->text());
        caption.moveCenter(QRect(0, 0, w, h).center());
        caption = caption.adjusted(-2, -2, 3, 3);
        int odd = 0;
        for (int y = 2; y < h - 2; ++y) {
            for (int x = 2; x < w - 2; ++x) {
                const bool focusFrame = (x == 4 || x == w - 5 || y == 4 || y == h - 5) && x >= 4 &&
                                        x <= w - 5 && y >= 4 && y <= h - 5;
                if (!caption.contains(x, y) && !focusFrame && image.pixel(x, y) != c.colour) {
                    ++odd;
                }
            }
        }
        EXPECT_EQ(odd, 0) << c.name << (c.pressed ? " pressed" : "")
                          << ": pixels of the field not its colour";
        // Raised: white inside the top edge, black along the bottom; sunken: the other way round.
        const QRgb white = qRgb(0xFF, 0xFF, 0xFF);
        const QRgb black = qRgb(0, 0, 0);
        EXPECT_EQ(image.pixel(w / 2, 1), c.pressed ? black : white) << c.name;
        EXPECT_EQ(image.pixel(w / 2, h - 1), c.pressed ? white : black) << c.name;
    }
}

TEST_F(ProgramLook, AboutsWhiteLineIsTwoRowsUnderTheGreyOne) {
    QTest::mouseClick(child<QPushButton>(&form, "CmdAide"), Qt::LeftButton);
    QWidget* const about = program.about().window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    const QImage picture = about->grab().toImage();
    const struct {
        int y;
        QRgb colour;
    } rows[] = {{162, qRgb(0xF0, 0xF0, 0xF0)},
                {163, qRgb(0x80, 0x80, 0x80)},
                {164, qRgb(0xFF, 0xFF, 0xFF)},
                {165, qRgb(0xFF, 0xFF, 0xFF)},
                {166, qRgb(0xF0, 0xF0, 0xF0)}};
    for (const int x : {7, 100, 375}) {
        for (const auto& row : rows) {
            EXPECT_EQ(picture.pixel(x, row.y), row.colour) << x << ", " << row.y;
        }
    }
}

} // namespace
