// The main window: eight position boxes, the compose button and the sentence, built from the
// window's description; its behaviour is the toolkit-free one.
#pragma once

#include "forms/Form1Logic.h"
#include "qt/Form.h"

#include <QWidget>

#include <functional>

namespace qt {

class Form1Window : public QWidget {
    Q_OBJECT
public:
    // requestAbout is what the "A lire" button asks for.
    explicit Form1Window(std::function<void()> requestAbout = {}, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    qt::Form view_;
    forms::Form1Logic logic_;
};

} // namespace qt
