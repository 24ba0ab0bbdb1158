#include "main_window/Form1.h"

#include "design/Fonts.h"
#include "design/Images.h"
#include "design/Units.h"
#include "main_window/Cp1252.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>
#include <initializer_list>

namespace main_window {

using design::BoldSansSerif;
using design::TwipsRect;
using Field = std::string composer::TrameFields::*;

// The eight position boxes, in creation order, and the composer field each one feeds.
struct PositionBox {
    const char* name;
    Field field;
    QRect geometry;
    const char* text;
    int maxLength;
    qreal points;
    const char* accessibleName;
};

namespace {

using composer::TrameFields;

const std::array<PositionBox, 8> PositionBoxes{{
    {"LongPos", &TrameFields::longPos, TwipsRect(5760, 720, 375, 405), "E", 1, 9.75,
     "Longitude, hémisphère E ou W"},
    {"LatPos", &TrameFields::latPos, TwipsRect(2640, 720, 375, 375), "N", 1, 9.75,
     "Latitude, hémisphère N ou S"},
    {"LongSec", &TrameFields::longSec, TwipsRect(4800, 720, 615, 375), "00.00", 5, 9.75,
     "Longitude, secondes"},
    {"LongMin", &TrameFields::longMin, TwipsRect(4320, 720, 375, 375), "00", 2, 9.75,
     "Longitude, minutes"},
    {"LongDeg", &TrameFields::longDeg, TwipsRect(3840, 720, 375, 375), "05", 2, 9.75,
     "Longitude, degrés"},
    {"LatSec", &TrameFields::latSec, TwipsRect(1680, 720, 615, 375), "00.00", 5, 8.25,
     "Latitude, secondes"},
    {"LatMin", &TrameFields::latMin, TwipsRect(1080, 720, 375, 375), "00", 2, 9.75,
     "Latitude, minutes"},
    {"LatDeg", &TrameFields::latDeg, TwipsRect(600, 720, 375, 375), "46", 2, 9.75,
     "Latitude, degrés"},
}};

constexpr std::uint32_t LightCyan = 0x00FFFFC0;
constexpr std::uint32_t LightYellow = 0x00C0FFFF;
constexpr std::uint32_t Navy = 0x00800000;
constexpr std::uint32_t Grey = 0x00C0C0C0;
constexpr std::uint32_t Blue = 0x00C00000;

// Enter and the keypad's Enter press the focused button, as Space does: people who fill a
// form from the keyboard end it with Enter.
class PressOnEnter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                static_cast<QAbstractButton*>(watched)->click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

QPushButton* button(QWidget* parent, const char* name, QRect geometry, const QString& caption,
                    std::uint32_t background) {
    auto* const button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    design::SetColour(button, QPalette::Button, background);
    button->setCursor(design::HandPointer());
    button->installEventFilter(new PressOnEnter(button));
    return button;
}

} // namespace

Form1::Form1(std::function<void()> requestAbout, QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      requestAbout_(std::move(requestAbout)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quorvelin "));
    setWindowIcon(design::AppIcon());
    setFont(design::SansSerif());
    design::UseDesignPalette(this);
    resize(design::Pixels(6735), design::Pixels(3705));
    // A tool window does not end the program by default; this one is the main window.
    setAttribute(Qt::WA_QuitOnClose, true);

    CmdAide =
        button(this, "CmdAide", TwipsRect(120, 120, 975, 255), QStringLiteral("A lire"), Grey);
    CmdAide->setAccessibleDescription(QStringLiteral("À propos du programme"));

    for (const PositionBox& position : PositionBoxes) {
        positionBoxes_.push_back(entryBox(position));
    }
    LatPos = box("LatPos");
    LongPos = box("LongPos");

    TextTrame = new QLineEdit(this);
    TextTrame->setObjectName(QStringLiteral("TextTrame"));
    TextTrame->setGeometry(TwipsRect(240, 2760, 6255, 405));
    TextTrame->setReadOnly(true);
    TextTrame->setMaxLength(32767);
    design::SetColour(TextTrame, QPalette::Base, LightYellow);
    design::SetColour(TextTrame, QPalette::Text, Navy);
    TextTrame->setAccessibleName(QStringLiteral("Trame NMEA"));

    Command1 = button(this, "Command1", TwipsRect(2520, 1800, 1935, 495),
                      QStringLiteral("Créer la trame NMEA"), design::LightGreen);
    Command1->setFont(BoldSansSerif(8.25));
    Command1->setAccessibleDescription(QStringLiteral("Compose la trame de la position saisie"));

    // The marks are shorter than a line of their font: only its top, where they sit, shows.
    label("Label9", TwipsRect(5400, 600, 135, 135), "''", 13.5);
    label("Label8", TwipsRect(2280, 600, 255, 135), "''", 13.5);
    label("Label7", TwipsRect(4680, 600, 255, 135), "'", 13.5);
    label("Label5", TwipsRect(1560, 600, 135, 255), "'", 13.5);
    label("Label4", TwipsRect(4200, 600, 135, 135), "°", 12);
    label("Label3", TwipsRect(960, 600, 135, 135), "°", 12);
    Label6 = label("Label6", TwipsRect(360, 2400, 6015, 375),
                   " $GPRMC,221545.000,A,4642.8593,N,00538.6125,E,0.28,257.55,161110,,,A*6A", 0);
    Label6->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    for (auto [name, geometry, text, points] :
         {std::tuple{"Label2", TwipsRect(3000, 3240, 975, 255), "Trame", 12.0},
          std::tuple{"Label1", TwipsRect(4200, 1200, 1695, 375), "Longitude", 13.5},
          std::tuple{"Latitude", TwipsRect(1200, 1200, 1215, 375), "Latitude", 13.5}}) {
        QLabel* const caption = label(name, geometry, text, points);
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        caption->setAutoFillBackground(false);
        if (points > 12.0) {
            design::SetColour(caption, QPalette::WindowText, Blue);
        }
    }

    // Tab order: the compose button first, the boxes, then "A lire" last.
    QWidget* previous = nullptr;
    for (QWidget* const next : std::initializer_list<QWidget*>{
             Command1, TextTrame, box("LatDeg"), box("LatMin"), box("LatSec"), box("LongDeg"),
             box("LongMin"), box("LongSec"), LatPos, LongPos, CmdAide}) {
        if (previous != nullptr) {
            setTabOrder(previous, next);
        }
        previous = next;
    }

    connect(LatPos, &QLineEdit::textChanged, this, &Form1::LatPos_Change);
    connect(LongPos, &QLineEdit::textChanged, this, &Form1::LongPos_Change);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(CmdAide, &QPushButton::clicked, this, &Form1::CmdAide_Click);

    Command1->setFocus();
    Form_Load();
}

QLineEdit* Form1::box(const char* name) const {
    return findChild<QLineEdit*>(QString::fromLatin1(name));
}

QLineEdit* Form1::entryBox(const PositionBox& position) {
    auto* const box = new QLineEdit(this);
    box->setObjectName(QString::fromLatin1(position.name));
    box->setGeometry(position.geometry);
    box->setMaxLength(position.maxLength);
    box->setAlignment(Qt::AlignCenter);
    box->setFont(BoldSansSerif(position.points)); // before the text: its layout is made once
    box->setText(QString::fromUtf8(position.text));
    design::SetColour(box, QPalette::Base, LightCyan);
    box->setAccessibleName(QString::fromUtf8(position.accessibleName));
    return box;
}

// Labels are opaque unless made transparent; points 0 keeps the window's font.
QLabel* Form1::label(const char* name, QRect geometry, const char* text, qreal points) {
    auto* const label = new QLabel(QString::fromUtf8(text), this);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setAutoFillBackground(true);
    if (points > 0) {
        label->setFont(BoldSansSerif(points));
    }
    return label;
}

// Showing a window hides its focus mark until a key is pressed; this one shows where the focus
// is from the start.
void Form1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    setAttribute(Qt::WA_KeyboardFocusChange);
}

void Form1::Form_Load() {
    composer_.ResetTrame();
    Label6->hide();
}

// Setting a box to the text it holds raises no change, so each settles after one rewrite.
void Form1::LatPos_Change() {
    const QString text = LatPos->text();
    LatPos->setText(text == QLatin1String("N") || text == QLatin1String("n") ? QStringLiteral("N")
                                                                             : QStringLiteral("S"));
}

void Form1::LongPos_Change() {
    const QString text = LongPos->text();
    LongPos->setText(text == QLatin1String("E") || text == QLatin1String("e")
                         ? QStringLiteral("E")
                         : QStringLiteral("W"));
}

void Form1::Command1_Click() {
    TextTrame->clear();
    composer::TrameFields fields;
    for (std::size_t i = 0; i < PositionBoxes.size(); ++i) {
        fields.*PositionBoxes[i].field = ToCp1252(positionBoxes_[i]->text());
    }
    const composer::TrameFields typed = fields;
    const std::string sentence = composer_.ComposeTrame(fields);
    // Only the "0" to "00" correction is written back: every other box keeps exactly what was
    // typed, characters outside the sentence's code page included.
    for (std::size_t i = 0; i < PositionBoxes.size(); ++i) {
        const Field field = PositionBoxes[i].field;
        if (fields.*field != typed.*field) {
            positionBoxes_[i]->setText(FromCp1252(fields.*field));
        }
    }
    TextTrame->setText(FromCp1252(sentence));
    TextTrame->setCursorPosition(0); // show the start of the sentence
}

void Form1::CmdAide_Click() {
    if (requestAbout_) {
        requestAbout_();
    }
}

} // namespace main_window
