#include "about_window/frmAbout.h"

#include "about_window/SysInfo.h"
#include "design/Fonts.h"
#include "design/Images.h"
#include "design/Title.h"
#include "design/Units.h"
#include "platform/Programs.h"

#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace about_window {
namespace {

using design::BgrColor;
using design::TwipsRect;

constexpr std::uint32_t LinkBlue = 0x00C00000;
constexpr QPoint ClientTopLeft{design::Pixels(2340), design::Pixels(1935)};

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPoint twipsPoint(int x, int y) {
    return {design::Pixels(x), design::Pixels(y)};
}

} // namespace

AboutServices SystemServices() {
    return {platform::OpenWebPage,
            [](QWidget* parent, const QString& caption, const QString& text) {
                QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
                box.exec();
            }};
}

frmAbout::frmAbout(const design::AppDescriptorRecord& descriptor, AboutServices services,
                   QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      descriptor_(descriptor), services_(std::move(services)) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose); // closing unloads: the next showing loads afresh
    setModal(false);
    setFont(design::SansSerif());
    design::UseDesignPalette(this);
    setFixedSize(design::Pixels(6390), design::Pixels(3555));
    setGeometry(QRect(ClientTopLeft, size()));
    setMouseTracking(true);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picIcon->setLineWidth(1);
    picIcon->setPixmap(design::AppIconPixmap());
    picIcon->move(TwipsRect(240, 240, 510, 510).topLeft());
    picIcon->adjustSize(); // the picture and its border
    picIcon->setAutoFillBackground(true);
    design::SetColour(picIcon, QPalette::Window, picIcon->palette().color(QPalette::Base));
    design::SetColour(picIcon, QPalette::WindowText, picIcon->palette().color(QPalette::Text));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(TwipsRect(4920, 2625, 1260, 345));
    cmdOK->setDefault(true);

    cmdSysInfo = new QPushButton(QStringLiteral("&Infos système..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(TwipsRect(4920, 3000, 1245, 345));

    QLabel* const credit = label("Label4", TwipsRect(1800, 3000, 1815, 255),
                                 QStringLiteral("vexor, 2026"), Qt::AlignHCenter);
    credit->setFont(design::BoldSansSerif(8.25));

    lblvexor =
        label("lblvexor", TwipsRect(3360, 1920, 1695, 255), fromUtf8(WebPage), Qt::AlignLeft);
    lblvexor->setFont(design::BoldSansSerif(8.25));
    design::SetColour(lblvexor, QPalette::WindowText, LinkBlue);
    lblvexor->setMouseTracking(true);
    lblvexor->installEventFilter(this);
    lblvexor->setAccessibleDescription(QStringLiteral("Ouvre la page de l'auteur"));

    label("Label3", TwipsRect(720, 1920, 2535, 255),
          QStringLiteral("Plus d'informations  ici ---->"), Qt::AlignRight)
        ->setFont(design::BoldSansSerif(8.25));
    label("Label2", TwipsRect(240, 1440, 6015, 375),
          QStringLiteral("Cette trame permet la programmation d'un pic 16f628 destiné à la "
                         "localisation APRS."),
          Qt::AlignLeft)
        ->setFont(design::BoldSansSerif(8.25));
    QLabel* const title = label("Label1", TwipsRect(1080, 120, 4095, 495),
                                QStringLiteral("Quorvelin"), Qt::AlignHCenter);
    title->setFont(design::BoldSansSerif(18));
    Line1[1] = {twipsPoint(90, 2445), twipsPoint(5654, 2445), BgrColor(0x00808080), 1};
    QLabel* const description =
        label("lblDescription", TwipsRect(210, 960, 6165, 450),
              QStringLiteral("Génère une trame GPRMC utilisant les coordonnées géographiques "
                             "choisies."),
              Qt::AlignLeft);
    description->setFont(design::BoldSansSerif(8.25));
    design::SetColour(description, QPalette::WindowText, std::uint32_t{0x00000000});
    Line1[0] = {twipsPoint(105, 2460), twipsPoint(5654, 2460), BgrColor(0x00FFFFFF), 2};
    lblVersion = label("lblVersion", TwipsRect(1080, 600, 3885, 225), QStringLiteral("Version"),
                       Qt::AlignHCenter);

    setTabOrder(cmdOK, cmdSysInfo);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    cmdOK->setFocus();

    Form_Load();
}

QLabel* frmAbout::label(const char* name, QRect geometry, const QString& text,
                        Qt::Alignment alignment) {
    auto* const label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

void frmAbout::Form_Load() {
    setWindowTitle(QStringLiteral("À propos de ") + design::Title(descriptor_));
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(descriptor_.Major)
                            .arg(descriptor_.Minor)
                            .arg(descriptor_.Revision));
}

// Only the window's bare surface (the lines included) counts: moves over a control that
// Qt passes on to the window are not moves over the window.
void frmAbout::mouseMoveEvent(QMouseEvent* event) {
    if (childAt(event->position().toPoint()) == nullptr) {
        Form_MouseMove();
    }
    QDialog::mouseMoveEvent(event);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblvexor && event->type() == QEvent::MouseMove) {
        lblvexor_MouseMove();
        return true;
    }
    if (watched == lblvexor && event->type() == QEvent::MouseButtonRelease) {
        const auto* const mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            lblvexor->rect().contains(mouse->position().toPoint())) {
            lblvexor_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    for (const Line& line : Line1) {
        painter.setPen(QPen(line.colour, line.width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(line.from, line.to);
    }
}

void frmAbout::Form_MouseMove() {
    lblvexor->setAutoFillBackground(false);
}

void frmAbout::lblvexor_MouseMove() {
    lblvexor->setAutoFillBackground(true);
    design::SetColour(lblvexor, QPalette::Window, design::LightGreen);
}

// A page that cannot be opened is no reason to end the program: the user is told and the
// window stays.
void frmAbout::lblvexor_Click() {
    lblvexor->setAutoFillBackground(true);
    const std::string address(WebPage);
    try {
        services_.openWebPage(address);
    } catch (const std::exception&) {
        services_.messageBox(
            this, design::Title(descriptor_),
            QStringLiteral("Impossible d'ouvrir la page %1").arg(fromUtf8(address)));
    }
}

void frmAbout::cmdOK_Click() {
    close();
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo();
}

void frmAbout::StartSysInfo() {
    about_window::StartSysInfo([this] {
        services_.messageBox(this, design::Title(descriptor_), fromUtf8(SysInfoUnavailable));
    });
}

bool frmAbout::GetKeyValue(platform::registry::Key KeyRoot, const std::string& KeyName,
                           const std::string& SubKeyRef, std::string& KeyVal) {
    return about_window::GetKeyValue(KeyRoot, KeyName, SubKeyRef, KeyVal);
}

} // namespace about_window
