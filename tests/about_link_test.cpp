// The About window's link: one page a click, and on Linux the opener's failure told to the
// user when the opener reports it, without the window waiting on it, and the opener reaped.
#include "qt/AboutWindow.h"
#include "qt/PageOpener.h"
#include "tests/fake_programs_posix.h"
#include "tests/start_records.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;
using qt::AboutSlot;

class Link : public testing::Test {
protected:
    // Opens the window with these services; pages and boxes are recorded.
    QLabel* open(qt::AboutServices services) {
        slot = std::make_unique<AboutSlot>(forms::AppDescriptor, std::move(services));
        slot->Request();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(slot->window()));
        return slot->window()->findChild<QLabel*>(QStringLiteral("lblvexor"));
    }
    void recordBox(QWidget*, const QString&, const QString& text) { boxes << text; }

    QStringList pages;
    QStringList boxes;
    std::unique_ptr<AboutSlot> slot;
};

TEST_F(Link, EachClickOpensThePageOnceADoubleClickToo) {
    const struct {
        const char* what;
        int clicks;
        int doubleClicks;
        int pages;
    } cases[] = {
        {"one click", 1, 0, 1},
        {"ten clicks", 10, 0, 10},
        {"one double-click", 0, 1, 1},
        {"three double-clicks", 0, 3, 3},
        {"a click, then a double-click", 1, 1, 2},
    };
    for (const auto& c : cases) {
        pages.clear();
        QLabel* const link =
            open({[this](const std::string& address, QObject*, const std::function<void()>&) {
                      pages << QString::fromStdString(address);
                  },
                  [this](QWidget* parent, const QString& caption, const QString& text) {
                      recordBox(parent, caption, text);
                  }});
        // Through the window, as the window system delivers them: Qt tells double-clicks
        // from clicks by their timing.
        QWindow* const window = slot->window()->windowHandle();
        const QPoint at = link->mapTo(slot->window(), QPoint(5, 5));
        for (int i = 0; i < c.clicks; ++i) {
            QTest::mouseClick(window, Qt::LeftButton, {}, at);
        }
        for (int i = 0; i < c.doubleClicks; ++i) {
            QTest::mouseDClick(window, Qt::LeftButton, {}, at);
        }
        EXPECT_EQ(pages.size(), c.pages) << c.what;
    }
    EXPECT_TRUE(boxes.isEmpty());
}

// The real opener, with fake xdg-open scripts on a PATH of the test's own.
class LinkOnLinux : public Link {
protected:
    void SetUp() override { scratch = testsupport::ScratchFolder(); }
    void TearDown() override {
        slot.reset();
        fs::remove_all(scratch);
    }
    QLabel* openWithSystemOpener() {
        return open(
            {qt::OpenWebPage, [this](QWidget* parent, const QString& caption, const QString& text) {
                 recordBox(parent, caption, text);
             }});
    }
    std::string opener() const { return (scratch / "xdg-open").string(); }

    fs::path scratch;
    const testsupport::ScopedPath path{"/nonexistent"};
};

// An opener still running when the click returns has not been waited for.
TEST_F(LinkOnLinux, AnOpenersFailureEndsInTheMessageWhenItIsKnown) {
    const QString cannotOpen = QStringLiteral("Impossible d'ouvrir la page www.vexor.example");
    const struct {
        const char* opener; // null: none on PATH
        bool running;       // when the click returns
        QStringList boxes;
    } cases[] = {
        {"/bin/sleep 1; exit 2", true, {cannotOpen}},
        {"exit 0", false, {}},
        {nullptr, false, {cannotOpen}},
    };
    for (const auto& c : cases) {
        boxes.clear();
        fs::remove(opener() + ".log");
        if (c.opener != nullptr) {
            testsupport::InstallScript(opener(), c.opener);
        }
        const testsupport::ScopedPath onPath(c.opener != nullptr ? scratch.string() : "/none");
        QLabel* const link = openWithSystemOpener();
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(5, 5));
        if (c.running) {
            EXPECT_TRUE(boxes.isEmpty()) << c.opener;
        }
        if (c.opener != nullptr) {
            ASSERT_TRUE(testsupport::RunOf(opener()).has_value());
        }
        [[maybe_unused]] const bool settled =
            QTest::qWaitFor([this, &c] { return boxes.size() == c.boxes.size(); }, 5000);
        QTest::qWait(200); // and no second box
        EXPECT_EQ(boxes, c.boxes) << (c.opener ? c.opener : "no opener");
        EXPECT_EQ(link->text(), QStringLiteral("www.vexor.example"));
        slot.reset();
    }
}

TEST_F(LinkOnLinux, AVerdictAfterTheWindowClosedIsDropped) {
    testsupport::InstallScript(opener(), "/bin/sleep 1; exit 2");
    const testsupport::ScopedPath onPath(scratch.string());
    QTest::mouseClick(openWithSystemOpener(), Qt::LeftButton, {}, QPoint(5, 5));
    slot->window()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(slot->window(), nullptr);
    QTest::qWait(2000);
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1) << "the opener is reaped all the same";
}

} // namespace
