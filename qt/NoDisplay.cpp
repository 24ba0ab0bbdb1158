#include "qt/NoDisplay.h"

#include "forms/AppDescriptor.h"
#include "qt/Form.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace qt {
namespace {

QtMessageHandler previous = nullptr;
QStringList heldBack;

void guard(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        heldBack << qFormatLogMessage(type, context, message);
        return;
    }
    const QString text = QStringLiteral("%1 : impossible d'ouvrir un affichage. Lancez le "
                                        "programme depuis une session graphique.\n")
                             .arg(qt::FromUtf8(forms::AppDescriptor.Title));
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    // Nothing of the half-built application is worth tearing down: no abort, no core dump.
    std::_Exit(EXIT_FAILURE);
}

} // namespace

DisplayGuard::DisplayGuard() {
    previous = qInstallMessageHandler(guard);
}

DisplayGuard::~DisplayGuard() {
    qInstallMessageHandler(previous);
    for (const QString& message : std::as_const(heldBack)) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
    heldBack.clear();
}

} // namespace qt
