// The main window: eight position boxes, the compose button and the sentence, built from the
// window's description; its behaviour is the toolkit-free one.
#pragma once

#include "design/Widgets.h"
#include "forms/Form1Logic.h"

#include <QWidget>

#include <functional>

namespace main_window {

class Form1 : public QWidget {
    Q_OBJECT
public:
    // requestAbout is what the "A lire" button asks for.
    explicit Form1(std::function<void()> requestAbout = {}, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    design::WidgetView view_;
    forms::Form1Logic logic_;
};

} // namespace main_window
