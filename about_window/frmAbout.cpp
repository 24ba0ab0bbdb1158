#include "about_window/frmAbout.h"

#include "about_window/PageOpener.h"
#include "design/Bindings.h"
#include "design/Units.h"
#include "forms/AboutDesign.h"

#include <QMessageBox>
#include <QPainter>

#include <utility>

namespace about_window {

AboutServices SystemServices() {
    return {about_window::OpenWebPage,
            [](QWidget* parent, const QString& caption, const QString& text) {
                QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
                box.exec();
            }};
}

frmAbout::frmAbout(const forms::AppDescriptorRecord& descriptor, AboutServices services,
                   QWidget* parent)
    // A window, not a dialog: window managers keep a dialog above the program's other windows.
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      services_(std::move(services)),
      view_(
          this,
          [this](const QString& caption, const QString& text) {
              services_.messageBox(this, caption, text);
          },
          [this](const std::string& address) {
              services_.openWebPage(address, this, [this] { logic_.PageNotOpened(); });
          }),
      logic_(view_, descriptor) {
    setAttribute(Qt::WA_DeleteOnClose); // closing unloads: the next showing loads afresh
    setModal(false);
    design::BuildWindow(this, forms::AboutDesign());
    design::Connect(this, logic_.events());
    logic_.Form_Load();
}

void frmAbout::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    for (const forms::Line& line : forms::AboutDesign().lines) {
        painter.fillRect(design::PixelRect(forms::Band(line)), design::BgrColor(line.colour));
    }
}

void frmAbout::StartSysInfo() {
    logic_.StartSysInfo();
}

} // namespace about_window
