// The main window: eight position boxes, the compose button and the sentence, built from the
// window's description; its behaviour is the toolkit-free one.
#pragma once

#include "forms/Form1Logic.h"
#include "forms/Windows.h"
#include "qt/Form.h"

#include <QWidget>

#include <functional>

namespace qt {

class Form1Window : public QWidget {
    Q_OBJECT
public:
    // requestAbout is what the "A lire" button asks for; closed, what its closing tells.
    explicit Form1Window(std::function<void()> requestAbout = {},
                         std::function<void()> closed = {});

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<void()> closed_;
    qt::Form view_;
    forms::Loaded<forms::Form1Logic> logic_;
};

} // namespace qt
