// The main window's behaviour, whatever toolkit shows it.
#pragma once

#include "composer/Composer.h"
#include "forms/View.h"

#include <functional>

namespace forms {

class Form1Logic {
public:
    // requestAbout is what the "A lire" button asks for.
    Form1Logic(View& view, std::function<void()> requestAbout);

    void Form_Load();
    void LatPos_Change();
    void LongPos_Change();
    void Command1_Click();
    void CmdAide_Click();

private:
    View& view_;
    std::function<void()> requestAbout_;
    composer::Composer composer_;
};

} // namespace forms
