#include "qt/AboutWindow.h"

#include "forms/AboutDesign.h"
#include "qt/Bindings.h"
#include "qt/PageOpener.h"
#include "qt/Taskbar.h"
#include "qt/Units.h"

#include <QMessageBox>
#include <QPainter>
#include <QWindow>

#include <utility>

namespace qt {

AboutServices SystemServices() {
    return {qt::OpenWebPage, [](QWidget* parent, const QString& caption, const QString& text) {
                QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
                box.exec();
            }};
}

AboutWindow::AboutWindow(const forms::AppDescriptorRecord& descriptor, AboutServices services)
    // A window, not a dialog: window managers keep a dialog above the program's other windows.
    // No owner and transient for no window: closing the main window leaves this one open.
    : QDialog(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      services_(std::move(services)),
      view_(
          this, forms::AboutDesign(),
          [this](const QString& caption, const QString& text) {
              services_.messageBox(this, caption, text);
          },
          [this](const std::string& address) {
              services_.openWebPage(address, this, [this] { logic_->PageNotOpened(); });
          }),
      logic_(
          view_, [this](forms::Events& events) { Connect(view_, events); }, descriptor) {
    setAttribute(Qt::WA_DeleteOnClose); // closing unloads: the next showing loads afresh
    setModal(false);
}

// Made iconic by the window manager, the window is made iconic through Qt as well: otherwise Qt
// takes it for restored already, and showing it normal asks nothing of the window manager.
void AboutWindow::Restore() {
    windowHandle()->setWindowStates(Qt::WindowMinimized);
    showNormal();
}

void AboutWindow::Activate() {
    raise();
    activateWindow();
}

void AboutWindow::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    for (const forms::Line& line : forms::AboutDesign().lines) {
        painter.fillRect(qt::PixelRect(forms::Band(line)), qt::BgrColor(line.colour));
    }
}

void AboutWindow::StartSysInfo() {
    logic_->StartSysInfo();
}

AboutSlot::AboutSlot(const forms::AppDescriptorRecord& descriptor, AboutServices services,
                     std::function<void()> closed)
    : descriptor_(descriptor), services_(std::move(services)), closed_(std::move(closed)) {}

AboutSlot::~AboutSlot() {
    if (window_ != nullptr) {
        QObject::disconnect(window_, &QObject::destroyed, nullptr, nullptr);
        delete window_;
    }
}

forms::TopLevel& AboutSlot::Load() {
    window_ = new AboutWindow(descriptor_, services_);
    QObject::connect(window_, &QObject::destroyed, [this] {
        Unloaded();
        if (closed_) {
            closed_();
        }
    });
    return *window_;
}

void AboutSlot::MainWindowClosed() {
    if (window_ != nullptr && window_->isVisible()) {
        ReturnToTaskbar(window_);
    }
}

} // namespace qt
