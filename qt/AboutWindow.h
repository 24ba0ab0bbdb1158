// The About window, and the one slot of the process that holds it: what the program is, a link to
// its author's page, and a button that starts the system's information tool.
#pragma once

#include "forms/AboutLogic.h"
#include "forms/AppDescriptor.h"
#include "forms/Windows.h"
#include "qt/Form.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <string>

namespace qt {

// What the window asks of the system; tests give their own.
struct AboutServices {
    // Opens a web page without waiting on the opener; calls failed when it cannot be opened,
    // then or later, but never once context is destroyed.
    std::function<void(const std::string& address, QObject* context,
                       const std::function<void()>& failed)>
        openWebPage;
    // A modal box with an OK button alone.
    std::function<void(QWidget* parent, const QString& caption, const QString& text)> messageBox;
};

// The services of the running program: the system's web page opener and QMessageBox.
AboutServices SystemServices();

class AboutWindow : public QDialog, public forms::TopLevel {
    Q_OBJECT
public:
    // Loads the window, hidden: its controls, then its load handler. Closing it deletes it.
    AboutWindow(const forms::AppDescriptorRecord& descriptor, AboutServices services);

    void StartSysInfo();

    bool Minimised() const override { return isMinimized(); }
    void Show() override { showNormal(); }
    void Restore() override;
    void Activate() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AboutServices services_;
    qt::Form view_;
    forms::Loaded<forms::AboutLogic> logic_;
};

class AboutSlot : public forms::AboutSlot {
public:
    // closed: what the window's closing tells, once it is unloaded.
    explicit AboutSlot(const forms::AppDescriptorRecord& descriptor = forms::AppDescriptor,
                       AboutServices services = SystemServices(),
                       std::function<void()> closed = {});
    ~AboutSlot();

    // Once the main window is closed, a shown About window is the program's last: it comes
    // back to the taskbar, where it can be found even when minimised.
    void MainWindowClosed();

    // The loaded window, or null.
    AboutWindow* window() const { return window_; }

private:
    forms::TopLevel& Load() override;

    const forms::AppDescriptorRecord& descriptor_;
    AboutServices services_;
    std::function<void()> closed_;
    QPointer<AboutWindow> window_;
};

} // namespace qt
