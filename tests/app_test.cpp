#include "forms/AppDescriptor.h"
#include "platform/Failure.h"
#include "qt/Application.h"
#include "qt/Images.h"
#include "qt/Program.h"

#include <QFile>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace {

QByteArray resource(const char* path) {
    QFile file(QString::fromLatin1(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return file.readAll();
}

quint16 word(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}
quint32 dword(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

TEST(Images, IconAndCursorFilesHaveTheirFixedForm) {
    const struct {
        const char* path;
        int type, colourCount, word1, word2, bitsPerPixel;
    } files[] = {
        // icon: planes 1, 8 bits; cursor: the hot spot in those two words, 4 bits
        {":/AppIcon.ico", 1, 255, 1, 8, 8},
        {":/HandPointer.cur", 2, 16, 12, 1, 4},
    };
    for (const auto& f : files) {
        const QByteArray bytes = resource(f.path);
        ASSERT_GT(bytes.size(), 22 + 40) << f.path;
        EXPECT_EQ(word(bytes, 2), f.type) << f.path;
        EXPECT_EQ(word(bytes, 4), 1) << f.path << ": one image";
        EXPECT_EQ(quint8(bytes[6]), 32) << f.path;
        EXPECT_EQ(quint8(bytes[7]), 32) << f.path;
        EXPECT_EQ(quint8(bytes[8]), f.colourCount) << f.path;
        EXPECT_EQ(word(bytes, 10), f.word1) << f.path;
        EXPECT_EQ(word(bytes, 12), f.word2) << f.path;
        const int image = int(dword(bytes, 18));
        EXPECT_EQ(word(bytes, image + 14), f.bitsPerPixel) << f.path;
        // Colour bits, palette and a 1-bit mask of 4-byte rows fill the image exactly.
        const int palette = 4 << f.bitsPerPixel;
        EXPECT_EQ(dword(bytes, 14), quint32(40 + palette + 32 * 32 * f.bitsPerPixel / 8 + 32 * 4))
            << f.path;
    }
}

TEST(Images, LoadAs32By32WithTheFingertipHotSpot) {
    EXPECT_EQ(qt::AppIconPixmap().size(), QSize(32, 32));
    const QCursor hand = qt::HandPointer();
    EXPECT_EQ(hand.pixmap().size(), QSize(32, 32));
    EXPECT_EQ(hand.hotSpot(), QPoint(12, 1));
    // The hot spot is on the drawn fingertip, with nothing drawn above it.
    const QImage picture = hand.pixmap().toImage();
    EXPECT_NE(qAlpha(picture.pixel(12, 1)), 0);
    EXPECT_EQ(qAlpha(picture.pixel(12, 0)), 0);
}

TEST(Images, WindowIconHoldsTheLargerSizes) {
    const QIcon icon = qt::AppIcon();
    for (const int size : {32, 48, 64, 128}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
        // A size that failed to load would be scaled from another one.
        EXPECT_EQ(icon.pixmap(QSize(size, size)).size(), QSize(size, size)) << size;
    }
    for (const int size : {48, 64, 128}) {
        EXPECT_EQ(QImage(QStringLiteral(":/AppIcon-%1.png").arg(size)).size(), QSize(size, size));
    }
}

TEST(Images, OwnDecoderDrawsWhatQtsImagePluginDraws) {
    for (const auto* path : {":/AppIcon.ico", ":/HandPointer.cur"}) {
        const QByteArray file = resource(path);
        const QImage ours = qt::DecodeIconImage(file);
        const QImage qts = QImage::fromData(file).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(ours.size(), QSize(32, 32)) << path;
        ASSERT_EQ(qts.size(), ours.size()) << path;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const QRgb a = ours.pixel(x, y);
                const QRgb b = qts.pixel(x, y);
                // Transparent pixels may differ in their hidden colour.
                ASSERT_TRUE(a == b || (qAlpha(a) == 0 && qAlpha(b) == 0))
                    << path << " at " << x << "," << y << ": " << std::hex << a << " vs " << b;
            }
        }
    }
    EXPECT_TRUE(qt::DecodeIconImage(QByteArray("not an icon")).isNull());
    EXPECT_TRUE(qt::DecodeIconImage(resource(":/AppIcon.ico").left(100)).isNull()) << "cut short";
    QByteArray farOffset = resource(":/AppIcon.ico");
    qToLittleEndian<quint32>(0x7FFFFFF0, farOffset.data() + 18);
    EXPECT_TRUE(qt::DecodeIconImage(farOffset).isNull()) << "image offset past the end";
}

TEST(Images, HotSpotReaderRejectsWhatIsNoCursor) {
    EXPECT_EQ(qt::CursorHotSpot(QByteArray()), QPoint());
    EXPECT_EQ(qt::CursorHotSpot(resource(":/AppIcon.ico")), QPoint());
}

TEST(Descriptor, CarriesTheProgramsNameVersionAndLanguage) {
    EXPECT_EQ(forms::AppDescriptor.Title, "Quorvelin");
    EXPECT_EQ(forms::AppDescriptor.ExeName, "Quorvelin");
    EXPECT_TRUE(forms::AppDescriptor.HelpFile.empty());
    EXPECT_EQ(forms::AppDescriptor.Major, 1);
    EXPECT_EQ(forms::AppDescriptor.Minor, 0);
    EXPECT_EQ(forms::AppDescriptor.Revision, 0);
    EXPECT_EQ(forms::AppDescriptor.Language, 0x040C);
}

// The windows' colours are chosen for Fusion; CTest runs this again under QT_STYLE_OVERRIDE.
TEST(Application, DrawsInFusionWhateverStyleIsAskedFor) {
    EXPECT_EQ(QApplication::style()->name(), QStringLiteral("fusion"));
}

TEST(FatalErrors, DescribeEachKindOfErrorInFrench) {
    const struct {
        std::exception_ptr error;
        const char* start;
    } cases[] = {
        {std::make_exception_ptr(platform::Failure("Impossible de lancer « x »")),
         "Impossible de lancer « x »"},
        {std::make_exception_ptr(std::bad_alloc()), "Mémoire insuffisante"},
        {std::make_exception_ptr(std::invalid_argument("x")),
         "Argument ou appel de procédure incorrect"},
        {std::make_exception_ptr(std::out_of_range("x")), "Indice en dehors de la plage"},
        {std::make_exception_ptr(std::runtime_error("boom")), "Erreur d'exécution (boom)"},
        {std::make_exception_ptr(42), "Erreur d'exécution inconnue"},
    };
    for (const auto& c : cases) {
        const QString text = qt::FatalErrorText(c.error);
        EXPECT_TRUE(text.startsWith(QString::fromUtf8(c.start))) << text.toStdString();
        EXPECT_TRUE(text.endsWith(QStringLiteral("Le programme va se fermer.")))
            << text.toStdString();
    }
}

// An error escaping an event handler: one box captioned with the title, then the event loop
// ends with a failure and later events are not delivered.
TEST(FatalErrors, ErrorEscapingAHandlerShowsTheBoxAndEndsTheLoop) {
    auto* const application = static_cast<qt::Application*>(QCoreApplication::instance());
    QStringList shown;
    application->setFatalBox(
        [&](const QString& caption, const QString& text) { shown << caption << text; });
    bool laterRan = false;
    const QObject context; // takes the second timer with it when the test ends
    QTimer::singleShot(0, &context, [] { throw std::invalid_argument("x"); });
    QTimer::singleShot(50, &context, [&] { laterRan = true; });
    EXPECT_EQ(application->exec(), EXIT_FAILURE);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], QStringLiteral("Quorvelin"));
    EXPECT_TRUE(shown[1].startsWith(QStringLiteral("Argument ou appel de procédure incorrect")));
    EXPECT_FALSE(laterRan);
}

// The program as main() builds and wires it ends with its last window, whichever that is.
class Lifecycle : public testing::Test {
protected:
    qt::Program program{{[](const std::string&, QObject*, const std::function<void()>&) {},
                         [](QWidget*, const QString&, const QString&) {}}};
    qt::Form1Window& form = program.mainWindow();
    qt::AboutSlot& about = program.about();
    const QObject context; // takes the timers with it when the test ends

    void pressReadMe() {
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("CmdAide")), Qt::LeftButton);
    }
    // A safety net only: the loop must end by itself when the last window closes.
    int exec() {
        QTimer::singleShot(10000, &context, [] { QCoreApplication::exit(2); });
        return QCoreApplication::exec();
    }
};

TEST_F(Lifecycle, ClosingTheMainWindowAloneEndsTheProgram) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTimer::singleShot(0, &context, [this] { form.close(); });
    EXPECT_EQ(exec(), 0);
}

TEST_F(Lifecycle, MainWindowClosedFirstLeavesTheAboutWindowUntilItIsClosed) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    bool closingAboutFirstKeptRunning = false;
    bool aboutAloneKeptRunning = false;
    QTimer::singleShot(0, &context, [this] {
        pressReadMe();
        about.window()->close();
    });
    QTimer::singleShot(100, &context, [&] {
        closingAboutFirstKeptRunning = true;
        pressReadMe();
        form.close();
    });
    QTimer::singleShot(200, &context, [&] {
        aboutAloneKeptRunning = about.window() != nullptr && about.window()->isVisible();
        about.window()->close();
    });
    EXPECT_EQ(exec(), 0);
    EXPECT_TRUE(closingAboutFirstKeptRunning);
    EXPECT_TRUE(aboutAloneKeptRunning);
}

} // namespace
