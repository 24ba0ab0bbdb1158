#include "app/FatalErrors.h"

#include "design/Title.h"
#include "platform/Failure.h"

#include <QLibraryInfo>
#include <QMessageBox>

#include <new>
#include <stdexcept>

namespace app {
namespace {

QString description(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const platform::Failure& failure) {
        return QString::fromUtf8(failure.what());
    } catch (const std::bad_alloc&) {
        return QStringLiteral("Mémoire insuffisante");
    } catch (const std::invalid_argument&) {
        return QStringLiteral("Argument ou appel de procédure incorrect");
    } catch (const std::out_of_range&) {
        return QStringLiteral("Indice en dehors de la plage");
    } catch (const std::overflow_error&) {
        return QStringLiteral("Dépassement de capacité");
    } catch (const std::exception& other) {
        return QStringLiteral("Erreur d'exécution (%1)").arg(QString::fromLocal8Bit(other.what()));
    } catch (...) {
        return QStringLiteral("Erreur d'exécution inconnue");
    }
}

} // namespace

QString FatalErrorText(std::exception_ptr error) {
    return QStringLiteral("%1\n\nLe programme va se fermer.").arg(description(error));
}

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv), fatalBox_([](const QString& caption, const QString& text) {
          QMessageBox::critical(nullptr, caption, text);
      }) {
    // Without Qt's translations installed the standard texts stay English; nothing else changes.
    if (qtTexts_.load(QStringLiteral("qtbase_fr"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        installTranslator(&qtTexts_);
    }
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        // Nothing after this handler may run on a state it left half done: tell the user,
        // then leave every event loop; main() returns and the windows go with it.
        fatalBox_(design::Title(), FatalErrorText(std::current_exception()));
        exit(EXIT_FAILURE);
        return true;
    }
}

} // namespace app
