#include "about_window/frmAbout.h"

#include "about_window/PageOpener.h"
#include "design/Accessibility.h"
#include "design/Units.h"
#include "forms/AboutDesign.h"

#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

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
    setMouseTracking(true);

    lblvexor = qobject_cast<QLabel*>(view_.widget("lblvexor"));
    lblvexor->setMouseTracking(true);
    lblvexor->installEventFilter(this);
    // Screen readers activate the link as a link; the mouse goes through the event filter.
    design::DescribeLink(lblvexor);
    connect(lblvexor, &QLabel::linkActivated, this, [this] { logic_.lblvexor_Click(); });
    auto* const cmdOK = qobject_cast<QPushButton*>(view_.widget("cmdOK"));
    cmdOK->setDefault(true); // Enter, unless the other button has the focus; Esc as well
    connect(cmdOK, &QPushButton::clicked, this, [this] { logic_.cmdOK_Click(); });
    connect(qobject_cast<QPushButton*>(view_.widget("cmdSysInfo")), &QPushButton::clicked, this,
            [this] { logic_.cmdSysInfo_Click(); });

    logic_.Form_Load();
}

// Only the window's bare surface (the lines included) counts: moves over a control that
// Qt passes on to the window are not moves over the window.
void frmAbout::mouseMoveEvent(QMouseEvent* event) {
    if (childAt(event->position().toPoint()) == nullptr) {
        logic_.Form_MouseMove();
    }
    QDialog::mouseMoveEvent(event);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblvexor && event->type() == QEvent::MouseMove) {
        logic_.lblvexor_MouseMove();
        return true;
    }
    if (watched == lblvexor && event->type() == QEvent::MouseButtonPress) {
        linkDoubleClicked_ = false;
    }
    if (watched == lblvexor && event->type() == QEvent::MouseButtonDblClick) {
        linkDoubleClicked_ = true;
        return true;
    }
    if (watched == lblvexor && event->type() == QEvent::MouseButtonRelease) {
        const auto* const mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && !std::exchange(linkDoubleClicked_, false) &&
            lblvexor->rect().contains(mouse->position().toPoint())) {
            logic_.lblvexor_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    for (const forms::Line& line : forms::AboutDesign().lines) {
        painter.setPen(QPen(design::BgrColor(line.colour), line.width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(forms::Pixels(line.x1), forms::Pixels(line.y1), forms::Pixels(line.x2),
                         forms::Pixels(line.y2));
    }
}

void frmAbout::StartSysInfo() {
    logic_.StartSysInfo();
}

} // namespace about_window
