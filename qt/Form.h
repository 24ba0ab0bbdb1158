// Builds a window's controls from its toolkit-free description and shows what its behaviour
// says: the thin Qt side of both windows.
#pragma once

#include "forms/Design.h"
#include "forms/View.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace qt {

QString FromUtf8(std::string_view text);

// A window's controls, built from its design, as its behaviour sees them.
class Form : public forms::View {
public:
    using MessageBoxShower = std::function<void(const QString& caption, const QString& text)>;
    using PageOpener = std::function<void(const std::string& address)>;

    // Sets the window's caption, icon, size, place, font, palette and role, creates one widget per
    // control (named after it), then sets the tab order, the hidden controls and the initial focus.
    Form(QWidget* window, const forms::Window& design, MessageBoxShower messageBox,
         PageOpener openPage = {});

    std::string Text(std::size_t control) const override;
    void SetText(std::size_t control, const std::string& text) override;
    void SetVisible(std::size_t control, bool visible) override;
    void SetBackground(std::size_t control, std::optional<forms::Colour> colour) override;
    void SetCaption(const std::string& caption) override;
    void MessageBox(const std::string& caption, const std::string& text) override;
    void Unload() override;
    void OpenWebPage(const std::string& address) override;

    QWidget* window() const { return window_; }
    // The widget built for a control; the window for its surface.
    QWidget* widget(std::size_t control) const;
    // The control a widget was built for, Surface for the window; nothing for any other widget.
    std::optional<std::size_t> index(const QWidget* widget) const;

private:
    QWidget* window_;
    std::vector<QWidget*> widgets_; // in the design's order
    MessageBoxShower messageBox_;
    PageOpener openPage_;
};

} // namespace qt
