// The main window's behaviour, whatever toolkit shows it.
#pragma once

#include "composer/Composer.h"
#include "forms/Events.h"
#include "forms/Form1Design.h"
#include "forms/View.h"

#include <functional>

namespace forms {

class Form1Logic {
public:
    using Id = form1::Id;

    // requestAbout is what the "A lire" button asks for.
    Form1Logic(View& view, std::function<void()> requestAbout);
    Form1Logic(const Form1Logic&) = delete;
    Form1Logic& operator=(const Form1Logic&) = delete;

    // The window's control events, each bound to its handler below.
    Events& events() { return events_; }

    void Form_Load();
    void LatPos_Change();
    void LongPos_Change();
    void Command1_Click();
    void CmdAide_Click();

private:
    View& view_;
    std::function<void()> requestAbout_;
    composer::Composer composer_;
    Events events_;
};

// Which control events run which handlers.
inline constexpr Binding<Form1Logic> Form1Bindings[]{
    {form1::LatPos, Event::Change, &Form1Logic::LatPos_Change},
    {form1::LongPos, Event::Change, &Form1Logic::LongPos_Change},
    {form1::Command1, Event::Click, &Form1Logic::Command1_Click},
    {form1::CmdAide, Event::Click, &Form1Logic::CmdAide_Click},
};
static_assert(EventsExist(Form1Design(), Form1Bindings), "an event its control has not");

} // namespace forms
