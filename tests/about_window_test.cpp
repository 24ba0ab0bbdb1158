#include "qt/AboutWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using qt::AboutSlot;

// Records what the window asks of the system instead of doing it.
struct FakeSystem {
    QStringList pagesOpened;
    QStringList boxes; // caption, then text, for each box
    bool pageFails = false;

    qt::AboutServices services() {
        return {[this](const std::string& address, QObject*, const std::function<void()>& failed) {
                    if (pageFails) {
                        failed();
                        return;
                    }
                    pagesOpened << QString::fromStdString(address);
                },
                [this](QWidget*, const QString& caption, const QString& text) {
                    boxes << caption << text;
                }};
    }
};

void processDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class AboutWindow : public testing::Test {
protected:
    // No system-information tool is found here.
    void SetUp() override { qputenv("PATH", "/nonexistent"); }
    void TearDown() override { qputenv("PATH", path); }
    const QByteArray path = qgetenv("PATH");

    qt::AboutWindow* open() {
        slot.Request();
        qt::AboutWindow* const window = slot.window();
        EXPECT_NE(window, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        return window;
    }

    template <typename T = QLabel> T* child(const char* name) {
        T* const widget = slot.window()->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    bool linkHighlighted() { return child("lblvexor")->autoFillBackground(); }

    FakeSystem system;
    AboutSlot slot{forms::AppDescriptor, system.services()};
};

TEST_F(AboutWindow, CaptionAndVersionComeFromTheDescriptor) {
    const struct {
        forms::AppDescriptorRecord descriptor;
        const char* caption;
        const char* version;
    } cases[] = {
        {forms::AppDescriptor, "À propos de Quorvelin", "Version 1.0.0"},
        {{"Autre", "Autre", "", 2, 10, 3, 0x040C}, "À propos de Autre", "Version 2.10.3"},
        {{"Q", "Q", "", 0, -1, 32767, 0x040C}, "À propos de Q", "Version 0.-1.32767"},
    };
    for (const auto& c : cases) {
        const qt::AboutWindow window(c.descriptor, system.services());
        EXPECT_EQ(window.windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
                  QString::fromUtf8(c.version));
    }
}

TEST_F(AboutWindow, ShowsItsTextsWhereTheDesignPutsThem) {
    qt::AboutWindow* const window = open();
    EXPECT_EQ(window->geometry(), QRect(156, 129, 426, 237))
        << "client area, wherever the main window is";
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "fixed dialog";
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    const struct {
        const char* name;
        const char* text;
        QRect geometry;
    } labels[] = {
        {"Label1", "Quorvelin", {72, 8, 273, 33}},
        {"lblVersion", "Version 1.0.0", {72, 40, 259, 15}},
        {"lblDescription",
         "Génère une trame GPRMC utilisant les coordonnées géographiques choisies.",
         {14, 64, 411, 30}},
        {"Label2",
         "Cette trame permet la programmation d'un pic 16f628 destiné à la localisation APRS.",
         {16, 96, 401, 25}},
        {"Label3", "Plus d'informations  ici ---->", {48, 128, 169, 17}},
        {"lblvexor", "www.vexor.example", {224, 128, 113, 17}},
        {"Label4", "vexor, 2026", {120, 200, 121, 17}},
    };
    for (const auto& l : labels) {
        EXPECT_EQ(child(l.name)->text(), QString::fromUtf8(l.text)) << l.name;
        EXPECT_EQ(child(l.name)->geometry(), l.geometry) << l.name;
        EXPECT_FALSE(child(l.name)->autoFillBackground()) << l.name << " is transparent";
    }
    EXPECT_EQ(child<QPushButton>("cmdOK")->text(), "OK");
    EXPECT_EQ(child<QPushButton>("cmdSysInfo")->text(), QStringLiteral("&Infos système..."));
    EXPECT_EQ(child("picIcon")->geometry(), QRect(16, 16, 34, 34))
        << "the 32 x 32 icon and its border";
    EXPECT_EQ(QApplication::focusWidget(), child<QPushButton>("cmdOK"));
}

TEST_F(AboutWindow, ASecondRequestOnlyRaisesTheLoadedWindow) {
    qt::AboutWindow* const first = open();
    first->setWindowTitle(QStringLiteral("changed since load"));
    slot.Request();
    EXPECT_EQ(slot.window(), first);
    EXPECT_EQ(first->windowTitle(), "changed since load") << "no second load";
    int shown = 0;
    for (QWidget* const window : QApplication::topLevelWidgets()) {
        shown += qobject_cast<qt::AboutWindow*>(window) != nullptr && window->isVisible() ? 1 : 0;
    }
    EXPECT_EQ(shown, 1);
}

TEST_F(AboutWindow, HasNoIconAndComesBackFromMinimised) {
    qt::AboutWindow* const window = open();
    EXPECT_TRUE(window->windowIcon().isNull());
    window->showMinimized();
    slot.Request();
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(AboutWindow, ScreenReadersReadItInReadingOrderAndCanFollowTheLink) {
    QAccessibleInterface* const dialog = QAccessible::queryAccessibleInterface(open());
    EXPECT_EQ(dialog->role(), QAccessible::Dialog);
    QStringList order;
    for (int i = 0; i < dialog->childCount(); ++i) {
        order << dialog->child(i)->object()->objectName();
    }
    EXPECT_EQ(order.join(QLatin1Char(' ')), "Label1 lblVersion lblDescription Label2 Label3 "
                                            "lblvexor cmdOK Label4 cmdSysInfo");
    QAccessibleInterface* const link = QAccessible::queryAccessibleInterface(child("lblvexor"));
    EXPECT_EQ(link->role(), QAccessible::Link);
    EXPECT_EQ(link->text(QAccessible::Name), QStringLiteral("www.vexor.example"));
    link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(system.pagesOpened, QStringList{QStringLiteral("www.vexor.example")});
}

TEST_F(AboutWindow, EveryWayOfClosingUnloadsAndTheNextRequestLoadsAfresh) {
    const struct {
        const char* how;
        std::function<void(qt::AboutWindow*)> close;
    } ways[] = {
        {"OK button",
         [](qt::AboutWindow* w) {
             QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
         }},
        {"Enter", [](qt::AboutWindow* w) { QTest::keyClick(w, Qt::Key_Return); }},
        {"Esc", [](qt::AboutWindow* w) { QTest::keyClick(w, Qt::Key_Escape); }},
        {"Esc with the other button focused",
         [](qt::AboutWindow* w) {
             w->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->setFocus();
             QTest::keyClick(w, Qt::Key_Escape);
         }},
        {"close box", [](qt::AboutWindow* w) { w->close(); }},
    };
    for (const auto& way : ways) {
        qt::AboutWindow* const window = open();
        QTest::mouseMove(child("lblvexor"), QPoint(5, 5));
        window->setWindowTitle(QStringLiteral("changed since load"));
        way.close(window);
        processDeferredDeletes();
        EXPECT_EQ(slot.window(), nullptr) << way.how;
        open();
        EXPECT_EQ(slot.window()->windowTitle(), QStringLiteral("À propos de Quorvelin")) << way.how;
        EXPECT_FALSE(linkHighlighted()) << way.how;
        slot.window()->close();
        processDeferredDeletes();
    }
    EXPECT_TRUE(system.boxes.isEmpty());
}

TEST_F(AboutWindow, EnterPressesTheSystemInformationButtonWhenItHasTheFocus) {
    qt::AboutWindow* const window = open();
    child<QPushButton>("cmdSysInfo")->setFocus();
    QTest::keyClick(window, Qt::Key_Return);
    EXPECT_EQ(slot.window(), window);
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(system.boxes.size(), 2) << "no tool is installed";
    EXPECT_EQ(system.boxes[0], "Quorvelin");
    EXPECT_EQ(system.boxes[1],
              QStringLiteral("Les informations système ne sont pas disponibles actuellement"));
}

TEST_F(AboutWindow, LinkIsHighlightedUntilThePointerReachesTheBareWindow) {
    open();
    const struct {
        const char* over; // a control's name, or "bare" for the window's own surface
        QPoint at;
        bool dragging; // a button held: Qt then passes moves a control ignores to the window
        bool highlighted;
    } moves[] = {
        // Qt drops a move to where the pointer already is: start from a known place.
        {"bare", {420, 5}, false, false},       {"lblvexor", {5, 5}, false, true},
        {"bare", {200, 185}, false, false},     {"lblvexor", {50, 8}, false, true},
        {"Label3", {20, 5}, false, true},       {"Label3", {30, 5}, true, true},
        {"bare", {100, 163}, false, false}, // grey line
        {"lblvexor", {5, 5}, false, true},      {"cmdOK", {10, 10}, false, true},
        {"picIcon", {5, 5}, true, true},        {"Label2", {300, 5}, true, true},
        {"lblDescription", {5, 5}, true, true}, {"bare", {5, 230}, true, false},
        {"lblvexor", {5, 5}, true, true},       {"Label1", {5, 5}, true, true},
        {"bare", {5, 230}, false, false},       {"Label1", {5, 5}, false, false},
    };
    for (const auto& move : moves) {
        QWidget* const target = std::string_view(move.over) == "bare"
                                    ? static_cast<QWidget*>(slot.window())
                                    : child<QWidget>(move.over);
        if (move.dragging) {
            QMouseEvent event(QEvent::MouseMove, move.at, target->mapToGlobal(move.at),
                              Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &event);
        } else {
            QTest::mouseMove(target, move.at);
        }
        EXPECT_EQ(linkHighlighted(), move.highlighted)
            << "over " << move.over << (move.dragging ? " dragging" : "");
        if (move.highlighted) {
            EXPECT_EQ(child("lblvexor")->palette().color(QPalette::Window), QColor(128, 255, 128));
        }
    }
}

TEST_F(AboutWindow, ClickingTheLinkOpensThePageOnceAndKeepsTheWindow) {
    qt::AboutWindow* const window = open();
    QTest::mouseMove(child("lblvexor"), QPoint(5, 5));
    QTest::mouseClick(child("lblvexor"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(system.pagesOpened, QStringList{QStringLiteral("www.vexor.example")});
    EXPECT_TRUE(linkHighlighted());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(system.boxes.isEmpty());
}

TEST_F(AboutWindow, APageThatCannotBeOpenedIsReportedAndTheProgramGoesOn) {
    system.pageFails = true;
    qt::AboutWindow* const window = open();
    QTest::mouseClick(child("lblvexor"), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(system.boxes.size(), 2);
    EXPECT_EQ(system.boxes[0], "Quorvelin");
    EXPECT_EQ(system.boxes[1], QStringLiteral("Impossible d'ouvrir la page www.vexor.example"));
    EXPECT_TRUE(window->isVisible());
}

} // namespace
