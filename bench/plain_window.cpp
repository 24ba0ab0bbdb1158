// The floor of the start-up benchmark: the main window built the plainest way Qt offers, started
// the same way (the probe is linked in). The same widgets from the design's table, at the same
// places (converted as the program converts them), with their texts, and nothing else: the
// style's own palette and the default font, no icon, cursor, validator, accessibility or
// binding. What the program takes beyond it is its own look and behaviour.
#include "forms/Form1Design.h"
#include "qt/Units.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace {

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QWidget* plainControl(QWidget* window, const forms::Control& design) {
    switch (design.kind) {
    case forms::Kind::Button:
        return new QPushButton(text(design.caption), window);
    case forms::Kind::EntryBox:
        return new QLineEdit(text(design.caption), window);
    case forms::Kind::ReadOnlyBox: {
        auto* const box = new QLineEdit(text(design.caption), window);
        box->setReadOnly(true); // the kind of box, not a look
        return box;
    }
    case forms::Kind::Label:
    case forms::Kind::PictureBox:
        break;
    }
    return new QLabel(text(design.caption), window);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const forms::Window& design = forms::Form1Design();
    // The main window's frame: an application window with only the close box.
    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowCloseButtonHint);
    window.setWindowTitle(text(design.caption));
    window.resize(forms::Pixels(design.clientWidth), forms::Pixels(design.clientHeight));
    for (const forms::Control& c : design.controls) {
        QWidget* const widget = plainControl(&window, c);
        widget->setGeometry(qt::PixelRect(c.place));
        widget->setVisible(c.visible);
    }
    window.show();
    return QApplication::exec();
}
