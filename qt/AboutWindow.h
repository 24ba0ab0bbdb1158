// The About window: what the program is, a link to its author's page, and a button that
// starts the system's information tool.
#pragma once

#include "forms/AboutLogic.h"
#include "forms/AppDescriptor.h"
#include "qt/Form.h"

#include <QDialog>

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

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    AboutWindow(const forms::AppDescriptorRecord& descriptor, AboutServices services,
                QWidget* parent = nullptr);

    void StartSysInfo();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AboutServices services_;
    qt::Form view_;
    forms::AboutLogic logic_;
};

} // namespace qt
