#include "qt/Form1Window.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

class MainWindow : public testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<qt::Form1Window>([this] { ++aboutRequests; });
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    template <typename T = QLineEdit> T* child(const char* name) {
        T* const widget = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QString text(const char* name) { return child(name)->text(); }

    // Selects all of a box and types over it, as a user does. QTest's key helpers know
    // only ASCII keys, so each character goes as a key event carrying its text.
    void retype(const char* name, const QString& typed) {
        QLineEdit* const box = child(name);
        box->setFocus();
        box->selectAll();
        for (const QChar c : typed) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(box, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(box, &release);
        }
    }

    void compose() { QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton); }

    std::unique_ptr<qt::Form1Window> form;
    int aboutRequests = 0;
};

TEST_F(MainWindow, StartsWithTheDefaultPositionAndNoSentence) {
    const struct {
        const char* box;
        const char* text;
        int maxLength;
    } boxes[] = {{"LatDeg", "46", 2},     {"LatMin", "00", 2},  {"LatSec", "00.00", 5},
                 {"LatPos", "N", 1},      {"LongDeg", "05", 2}, {"LongMin", "00", 2},
                 {"LongSec", "00.00", 5}, {"LongPos", "E", 1}};
    for (const auto& b : boxes) {
        EXPECT_EQ(text(b.box), QString::fromLatin1(b.text)) << b.box;
        EXPECT_EQ(child(b.box)->maxLength(), b.maxLength) << b.box;
        EXPECT_EQ(child(b.box)->alignment(), Qt::AlignCenter) << b.box;
    }
    EXPECT_TRUE(text("TextTrame").isEmpty());
    EXPECT_FALSE(child<QLabel>("Label6")->isVisible());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Quorvelin "));
    EXPECT_EQ(form->size(), QSize(449, 247));
    EXPECT_EQ(QApplication::focusWidget(), child<QPushButton>("Command1"));
    EXPECT_EQ(child<QPushButton>("Command1")->text(), QStringLiteral("Créer la trame NMEA"));
    EXPECT_EQ(child<QPushButton>("CmdAide")->text(), QStringLiteral("A lire"));
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(form->windowIcon().isNull());
    for (const char* name : {"Command1", "CmdAide"}) {
        EXPECT_EQ(child<QPushButton>(name)->cursor().hotSpot(), QPoint(12, 1))
            << "pointing hand on " << name;
    }
}

TEST(MainWindowLoad, SampleSentenceIsHiddenBeforeTheFirstShow) {
    const qt::Form1Window form;
    EXPECT_TRUE(form.findChild<QLabel*>(QStringLiteral("Label6"))->isHidden());
}

TEST_F(MainWindow, ControlsStandWhereTheDesignPutsThem) {
    const struct {
        const char* name;
        QRect geometry;
    } controls[] = {
        {"CmdAide", {8, 8, 65, 17}},       {"LongPos", {384, 48, 25, 27}},
        {"LatPos", {176, 48, 25, 25}},     {"LongSec", {320, 48, 41, 25}},
        {"LatDeg", {40, 48, 25, 25}},      {"TextTrame", {16, 184, 417, 27}},
        {"Command1", {168, 120, 129, 33}}, {"Label9", {360, 40, 9, 9}},
        {"Label6", {24, 160, 401, 25}},    {"Latitude", {80, 80, 81, 25}},
    };
    for (const auto& c : controls) {
        EXPECT_EQ(child<QWidget>(c.name)->geometry(), c.geometry) << c.name;
    }
}

TEST_F(MainWindow, ComposesTheDefaultSentence) {
    compose();
    EXPECT_EQ(text("TextTrame"),
              "$GPRMC,000000.000,A,4600.0000,N,00500.0000,E,0.00,000.00,000000,,,0*18");
}

TEST_F(MainWindow, ComposesATypedPositionAndWritesBackTheZeroCorrection) {
    retype("LatDeg", "46");
    retype("LatMin", "0");
    retype("LatSec", "51.56");
    retype("LongDeg", "0");
    retype("LongMin", "38");
    retype("LongSec", "36.75");
    retype("LongPos", "w");
    compose();
    EXPECT_EQ(text("LatMin"), "00");
    EXPECT_EQ(text("LongDeg"), "00");
    EXPECT_EQ(text("TextTrame"),
              "$GPRMC,000000.000,A,4600.8593,N,00038.6125,W,0.00,000.00,000000,,,0*03");
}

TEST_F(MainWindow, NonAsciiTextsReachTheSentenceAsWindows1252AndStayInTheirBoxes) {
    retype("LatMin", QStringLiteral("°"));
    compose();
    EXPECT_EQ(
        text("TextTrame"),
        QStringLiteral("$GPRMC,000000.000,A,46°.0000,N0,00500.0000,E,0.00,000.00,000000,,,0*98"));
    const struct {
        QString typed;
        QString inSentence; // what follows the degrees
    } cases[] = {{QStringLiteral("€"), QStringLiteral("€.")},
                 {QStringLiteral("日本"), QStringLiteral("??.")},
                 {QStringLiteral("\u200F4"), QStringLiteral("?4.")},
                 {QStringLiteral("5\u0301"), QStringLiteral("5?.")}};
    for (const auto& c : cases) {
        retype("LatMin", c.typed);
        retype("LongSec", c.typed);
        compose();
        EXPECT_EQ(text("LatMin"), c.typed) << "the box keeps what was typed";
        EXPECT_EQ(text("LongSec"), c.typed);
        EXPECT_EQ(text("TextTrame").mid(22, c.inSentence.size()), c.inSentence);
    }
}

TEST_F(MainWindow, HemisphereBoxesKeepOneCapitalLetter) {
    const struct {
        const char* box;
        const char* typed; // empty: delete the letter
        const char* shown;
    } cases[] = {{"LatPos", "", "S"},   {"LatPos", "n", "N"},  {"LatPos", "x", "S"},
                 {"LatPos", "N", "N"},  {"LatPos", "s", "S"},  {"LongPos", "", "W"},
                 {"LongPos", "e", "E"}, {"LongPos", "o", "W"}, {"LongPos", "E", "E"}};
    for (const auto& c : cases) {
        QLineEdit* const box = child(c.box);
        box->setFocus();
        box->selectAll();
        if (*c.typed == '\0') {
            QTest::keyClick(box, Qt::Key_Delete);
        } else {
            QTest::keyClicks(box, QString::fromLatin1(c.typed));
        }
        EXPECT_EQ(box->text(), QString::fromLatin1(c.shown)) << c.box << " typed " << c.typed;
    }
    // Program-made changes are normalised too.
    child("LatPos")->setText(QStringLiteral("n"));
    EXPECT_EQ(text("LatPos"), "N");
    child("LongPos")->setText(QString());
    EXPECT_EQ(text("LongPos"), "W");
}

// However the box is reached or edited, its letter is selected, so the next letter replaces it.
TEST_F(MainWindow, HemisphereLettersStaySelected) {
    const struct {
        const char* box;
        const char* how;
        std::function<void(QLineEdit*)> reach;
        const char* typed;
        const char* shown;
    } cases[] = {
        {"LatPos", "a click", [](QLineEdit* b) { QTest::mouseClick(b, Qt::LeftButton); }, "s", "S"},
        {"LatPos", "End", [](QLineEdit* b) { QTest::keyClick(b, Qt::Key_End); }, "n", "N"},
        {"LatPos", "the same letter", [](QLineEdit* b) { QTest::keyClicks(b, "N"); }, "x", "S"},
        {"LongPos", "Backspace", [](QLineEdit* b) { QTest::keyClick(b, Qt::Key_Backspace); }, "e",
         "E"},
    };
    for (const auto& c : cases) {
        QLineEdit* const box = child(c.box);
        box->setFocus();
        c.reach(box);
        EXPECT_EQ(box->selectedText(), box->text()) << c.box << " after " << c.how;
        QTest::keyClicks(box, QString::fromLatin1(c.typed));
        EXPECT_EQ(box->text(), QString::fromLatin1(c.shown)) << c.box << " after " << c.how;
    }
}

// As in Windows' single-line boxes, a pasted text stops at its first line break or NUL.
TEST_F(MainWindow, PastedTextStopsAtTheFirstLineBreak) {
    const struct {
        const char* box;
        QString before; // the text, with "|" where the cursor stands; none: all selected
        QString pasted;
        QString after;
    } cases[] = {
        {"LatDeg", "", QStringLiteral("1\n2"), "1"},
        {"LatSec", "", QStringLiteral("12\r\n34"), "12"},
        {"LongSec", "",
         QString::fromLatin1("3\0"
                             "4",
                             3),
         "3"},
        {"LongMin", "", QStringLiteral("\t5"), QStringLiteral("\t5")},
        {"LongSec", "1|2", QStringLiteral("3\n\n00.0000"), "132"},
    };
    for (const auto& c : cases) {
        QLineEdit* const box = child(c.box);
        box->setFocus();
        box->setText(QString(c.before).remove(QLatin1Char('|')));
        if (c.before.contains(QLatin1Char('|'))) {
            box->setCursorPosition(static_cast<int>(c.before.indexOf(QLatin1Char('|'))));
        } else {
            box->selectAll();
        }
        QApplication::clipboard()->setText(c.pasted);
        QTest::keySequence(box, QKeySequence::Paste);
        EXPECT_EQ(box->text(), c.after) << c.box;
    }
}

TEST_F(MainWindow, BoxesRefuseCharactersBeyondTheirLimit) {
    const struct {
        const char* box;
        const char* typed;
        const char* kept;
    } cases[] = {{"LatDeg", "123", "12"},       {"LatMin", "5959", "59"},
                 {"LatSec", "12.345", "12.34"}, {"LongSec", "123456", "12345"},
                 {"LongDeg", "999", "99"},      {"LongMin", "000", "00"}};
    for (const auto& c : cases) {
        retype(c.box, QString::fromLatin1(c.typed));
        EXPECT_EQ(text(c.box), QString::fromLatin1(c.kept)) << c.box;
    }
}

TEST_F(MainWindow, SentenceIsReadOnlyButCopyable) {
    compose();
    QLineEdit* const trame = child("TextTrame");
    const QString sentence = trame->text();
    trame->setFocus();
    trame->selectAll();
    QTest::keyClicks(trame, "xyz");
    QTest::keyClick(trame, Qt::Key_Backspace);
    EXPECT_EQ(trame->text(), sentence);
    trame->selectAll();
    QTest::keySequence(trame, QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(), sentence);
}

TEST_F(MainWindow, TabVisitsTheControlsInDesignOrder) {
    const char* const order[] = {"Command1", "TextTrame", "LatDeg",  "LatMin",
                                 "LatSec",   "LongDeg",   "LongMin", "LongSec",
                                 "LatPos",   "LongPos",   "CmdAide", "Command1"};
    child<QPushButton>("Command1")->setFocus();
    for (const char* name : order) {
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

TEST_F(MainWindow, AboutButtonAsksForTheAboutWindow) {
    QTest::mouseClick(child<QPushButton>("CmdAide"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("CmdAide"), Qt::LeftButton);
    EXPECT_EQ(aboutRequests, 2);
}

TEST_F(MainWindow, ScreenReadersReadAWindowOfNamedControlsInReadingOrder) {
    QAccessibleInterface* const window = QAccessible::queryAccessibleInterface(form.get());
    EXPECT_EQ(window->role(), QAccessible::Window);
    QStringList order;
    for (int i = 0; i < window->childCount(); ++i) {
        QAccessibleInterface* const control = window->child(i);
        order << control->object()->objectName();
        EXPECT_FALSE(control->text(QAccessible::Name).isEmpty()) << order.last().toStdString();
        EXPECT_EQ(window->indexOfChild(control), i);
    }
    // No unit marks, no hidden sample sentence.
    EXPECT_EQ(order.join(QLatin1Char(' ')),
              "CmdAide LatDeg LatMin LatSec LatPos LongDeg LongMin LongSec LongPos Latitude Label1 "
              "Command1 TextTrame Label2");
}

// Qt's own texts are French too, whatever the locale (the widget tests run under LC_ALL=C).
TEST_F(MainWindow, SentenceMenuIsFrench) {
    const std::unique_ptr<QMenu> menu(child("TextTrame")->createStandardContextMenu());
    QStringList entries;
    for (const QAction* const action : menu->actions()) {
        entries << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
    }
    EXPECT_TRUE(entries.contains(QStringLiteral("Copier"))) << entries.join(',').toStdString();
    EXPECT_TRUE(entries.contains(QStringLiteral("Tout sélectionner")));
}

TEST_F(MainWindow, EnterAndTheKeypadsEnterPressTheFocusedButton) {
    auto* const compose = child<QPushButton>("Command1");
    auto* const about = child<QPushButton>("CmdAide");
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } keys[] = {{Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Enter, Qt::KeypadModifier}};
    int requests = 0;
    for (const auto& k : keys) {
        child("TextTrame")->clear();
        compose->setFocus();
        QTest::keyClick(compose, k.key, k.modifiers);
        EXPECT_TRUE(text("TextTrame").endsWith(QStringLiteral("*18"))) << k.key;
        about->setFocus();
        QTest::keyClick(about, k.key, k.modifiers);
        EXPECT_EQ(aboutRequests, ++requests) << k.key;
    }
}

TEST_F(MainWindow, TheFocusIsVisibleFromTheStart) {
    auto* const compose = child<QPushButton>("Command1");
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    ASSERT_TRUE(compose->hasFocus());
    const QImage focused = compose->grab().toImage();
    child("LatDeg")->setFocus();
    EXPECT_NE(compose->grab().toImage(), focused) << "no focus mark on the compose button";
}

} // namespace
