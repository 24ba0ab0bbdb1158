#include "qt/AboutWindow.h"

#include "forms/AboutDesign.h"
#include "qt/Bindings.h"
#include "qt/PageOpener.h"
#include "qt/Units.h"

#include <QMessageBox>
#include <QPainter>

#include <utility>

namespace qt {

AboutServices SystemServices() {
    return {qt::OpenWebPage, [](QWidget* parent, const QString& caption, const QString& text) {
                QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
                box.exec();
            }};
}

AboutWindow::AboutWindow(const forms::AppDescriptorRecord& descriptor, AboutServices services,
                         QWidget* parent)
    // A window, not a dialog: window managers keep a dialog above the program's other windows.
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      services_(std::move(services)),
      view_(
          this, forms::AboutDesign(),
          [this](const QString& caption, const QString& text) {
              services_.messageBox(this, caption, text);
          },
          [this](const std::string& address) {
              services_.openWebPage(address, this, [this] { logic_.PageNotOpened(); });
          }),
      logic_(view_, descriptor) {
    setAttribute(Qt::WA_DeleteOnClose); // closing unloads: the next showing loads afresh
    setModal(false);
    qt::Connect(view_, logic_.events());
    logic_.Form_Load();
}

void AboutWindow::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    for (const forms::Line& line : forms::AboutDesign().lines) {
        painter.fillRect(qt::PixelRect(forms::Band(line)), qt::BgrColor(line.colour));
    }
}

void AboutWindow::StartSysInfo() {
    logic_.StartSysInfo();
}

} // namespace qt
