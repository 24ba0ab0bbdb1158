#include "qt/Application.h"

#include "forms/AppDescriptor.h"
#include "forms/FatalError.h"
#include "qt/Fonts.h"
#include "qt/Form.h"

#include <QLibraryInfo>
#include <QMessageBox>

#include <cstring>

namespace qt {

// The same French texts as the Win32 front-end's.
QString FatalErrorText(std::exception_ptr error) {
    return QString::fromUtf8(forms::FatalErrorText(error));
}

QString QtTexts::translate(const char* context, const char* source, const char* disambiguation,
                           int n) const {
    // Installing a translator asks at once which way the language is written: French is
    // written left to right, which needs no file.
    if (source != nullptr && std::strcmp(source, "QT_LAYOUT_DIRECTION") == 0) {
        return QStringLiteral("LTR");
    }
    std::call_once(loaded_, [this] {
        (void)texts_.load(QStringLiteral("qtbase_fr"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    });
    return texts_.translate(context, source, disambiguation, n);
}

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv), fatalBox_([](const QString& caption, const QString& text) {
          QMessageBox::critical(nullptr, caption, text);
      }) {
    installTranslator(&qtTexts_);
    // One look on every system, so the windows' colours show as designed.
    setStyle(QStringLiteral("Fusion"));
    // Both windows are designed in this font; as the program's own, it is also the one
    // entry boxes lay out their first empty text with, so no other face is loaded.
    setFont(qt::SansSerif());
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        // Nothing after this handler may run on a state it left half done: tell the user,
        // then leave every event loop; main() returns and the windows go with it.
        fatalBox_(qt::FromUtf8(forms::AppDescriptor.Title),
                  FatalErrorText(std::current_exception()));
        exit(EXIT_FAILURE);
        return true;
    }
}

} // namespace qt
