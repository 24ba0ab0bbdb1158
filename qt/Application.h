// The application object of the Qt front-end: its style, font and French texts, and the end of
// an error that no event handler traps, after telling the user why.
#pragma once

#include <QApplication>
#include <QString>
#include <QTranslator>

#include <exception>
#include <functional>
#include <mutex>

namespace qt {

// The French description shown for an error that reached the event loop.
QString FatalErrorText(std::exception_ptr error);

// Qt's own French texts, read from their file when Qt first asks for one (a menu's entries, a
// box's buttons) rather than before the first window shows. Without the file the standard
// texts stay English; nothing else changes.
class QtTexts : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override;
    bool isEmpty() const override { return false; }

private:
    mutable std::once_flag loaded_;
    mutable QTranslator texts_;
};

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
    QtTexts qtTexts_;
    FatalBox fatalBox_;
};

} // namespace qt
