// The About window: what the program is, a link to its author's page, and a button that
// starts the system's information tool.
#pragma once

#include "forms/AppDescriptor.h"

#include <QColor>
#include <QDialog>
#include <QPoint>

#include <array>
#include <functional>
#include <string>
#include <string_view>

class QLabel;
class QPushButton;

namespace about_window {

// The author's page: shown by the link and opened by it, the same text.
inline constexpr std::string_view WebPage = "www.vexor.example";

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

class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(const forms::AppDescriptorRecord& descriptor, AboutServices services,
             QWidget* parent = nullptr);

    void StartSysInfo();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Line {
        QPoint from;
        QPoint to;
        QColor colour;
        int width;
    };

    void Form_Load();
    void Form_MouseMove();
    void lblvexor_MouseMove();
    void lblvexor_Click();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    QLabel* label(const char* name, QRect geometry, const QString& text, Qt::Alignment alignment);

    const forms::AppDescriptorRecord& descriptor_;
    AboutServices services_;

    QLabel* picIcon;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
    QLabel* lblvexor;
    QLabel* lblVersion;
    // The release that ends a double-click on the link is no second click.
    bool linkDoubleClicked_ = false;
    // Grey then white: an etched rule above the buttons.
    std::array<Line, 2> Line1;
};

} // namespace about_window
