// An error that no event handler traps ends the program after telling the user why.
#pragma once

#include <QApplication>
#include <QString>
#include <QTranslator>

#include <exception>
#include <functional>

namespace app {

// The French description shown for an error that reached the event loop.
QString FatalErrorText(std::exception_ptr error);

// The program's application object: French for Qt's own texts (menus, buttons) whatever the
// user's locale, the windows' style and font, and the fatal-error box for errors that escape a
// handler.
class Application : public QApplication {
public:
    // Shows the fatal-error box: caption, then text. Replaceable for tests.
    using FatalBox = std::function<void(const QString& caption, const QString& text)>;

    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    void setFatalBox(FatalBox box) { fatalBox_ = std::move(box); }

private:
    QTranslator qtTexts_;
    FatalBox fatalBox_;
};

} // namespace app
