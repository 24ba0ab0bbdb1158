// Builds a window's controls from its toolkit-free description and shows what its behaviour
// says: the thin Qt side of both windows.
#pragma once

#include "forms/Design.h"
#include "forms/View.h"

#include <QString>

#include <functional>

class QWidget;

namespace qt {

QString FromUtf8(std::string_view text);

// Sets the window's caption, icon, size, place, font, palette and role, creates one widget per
// control (named after it), then sets the tab order, the hidden controls and the initial focus.
void BuildWindow(QWidget* window, const forms::Window& design);

// The controls of a window built by BuildWindow, as its behaviour sees them.
class Form : public forms::View {
public:
    using MessageBoxShower = std::function<void(const QString& caption, const QString& text)>;
    using PageOpener = std::function<void(const std::string& address)>;

    Form(QWidget* window, MessageBoxShower messageBox, PageOpener openPage = {});

    std::string Text(std::string_view control) const override;
    void SetText(std::string_view control, const std::string& text) override;
    void SetVisible(std::string_view control, bool visible) override;
    void SetBackground(std::string_view control, std::optional<forms::Colour> colour) override;
    void SetCaption(const std::string& caption) override;
    void MessageBox(const std::string& caption, const std::string& text) override;
    void Unload() override;
    void OpenWebPage(const std::string& address) override;

    // The widget built for a control.
    QWidget* widget(std::string_view control) const;

private:
    QWidget* window_;
    MessageBoxShower messageBox_;
    PageOpener openPage_;
};

} // namespace qt
