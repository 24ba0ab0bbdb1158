// The windows' behaviour against a fake front-end: texts in a map, change events raised the way
// a toolkit raises them, message boxes and pages recorded.
#include "forms/AboutDesign.h"
#include "forms/AboutLogic.h"
#include "forms/Form1Design.h"
#include "forms/Form1Logic.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using namespace forms::form1;

class FakeView : public forms::View {
public:
    explicit FakeView(const forms::Window& design) {
        for (std::size_t i = 0; i < design.controls.size(); ++i) {
            texts[i] = std::string(design.controls[i].caption);
        }
    }

    std::string Text(std::size_t control) const override { return texts.at(control); }
    void SetText(std::size_t control, const std::string& text) override {
        std::string& held = texts.at(control);
        if (held != text) {
            held = text;
            if (changed) {
                changed(control);
            }
        }
    }
    void SetVisible(std::size_t control, bool visible) override { hidden[control] = !visible; }
    void SetBackground(std::size_t control, std::optional<forms::Colour> colour) override {
        backgrounds[control] = colour;
    }
    void SetCaption(const std::string& text) override { caption = text; }
    void MessageBox(const std::string& boxCaption, const std::string& text) override {
        boxes.push_back(boxCaption + "|" + text);
    }
    void Unload() override { unloaded = true; }
    void OpenWebPage(const std::string& address) override { pages.push_back(address); }

    // What a user typing into a box does: the text changes, then its change event.
    void type(std::size_t control, const std::string& text) { SetText(control, text); }

    std::map<std::size_t, std::string> texts;
    std::map<std::size_t, bool> hidden;
    std::map<std::size_t, std::optional<forms::Colour>> backgrounds;
    std::string caption;
    std::vector<std::string> boxes;
    std::vector<std::string> pages;
    bool unloaded = false;
    std::function<void(std::size_t)> changed;
};

struct MainWindow {
    MainWindow() {
        view.changed = [this](std::size_t control) {
            logic.events().Raise(control, forms::Event::Change);
        };
        logic.Form_Load();
    }
    FakeView view{forms::Form1Design()};
    int aboutRequests = 0;
    forms::Form1Logic logic{view, [this] { ++aboutRequests; }};
};

TEST(MainWindowLogic, ComposesFromTheBoxesAndWritesBackOnlyTheZeroCorrection) {
    const struct {
        std::map<std::size_t, std::string> typed;
        std::string sentence;
        std::map<std::size_t, std::string> boxesAfter;
    } cases[] = {
        {{}, "$GPRMC,000000.000,A,4600.0000,N,00500.0000,E,0.00,000.00,000000,,,0*18", {}},
        {{{LatDeg, "46"},
          {LatMin, "42"},
          {LatSec, "51.56"},
          {LongDeg, "05"},
          {LongMin, "38"},
          {LongSec, "36.75"}},
         "$GPRMC,000000.000,A,4642.8593,N,00538.6125,E,0.00,000.00,000000,,,0*12",
         {}},
        {{{LatDeg, "00"}, {LatMin, "0"}, {LatSec, "0"}, {LongPos, "w"}},
         "$GPRMC,000000.000,A,0000.0000,N,00500.0000,W,0.00,000.00,000000,,,0*08",
         {{LatMin, "00"}, {LatSec, "0"}}},
        // é is one byte (0xE9) in the checksum; the field one character short leaves column 44.
        {{{LatMin, "日本"}, {LongMin, "é"}},
         "$GPRMC,000000.000,A,46??.0000,N,005\xC3\xA9.0000,E0,0.00,000.00,000000,,,0*C1",
         {{LatMin, "日本"}, {LongMin, "é"}}},
    };
    for (const auto& c : cases) {
        MainWindow window; // a window just loaded
        for (const auto& [box, text] : c.typed) {
            window.view.type(box, text);
        }
        window.logic.Command1_Click();
        EXPECT_EQ(window.view.Text(TextTrame), c.sentence);
        for (const auto& [box, text] : c.boxesAfter) {
            EXPECT_EQ(window.view.Text(box), text) << box;
        }
    }
}

TEST(MainWindowLogic, HidesTheSampleAndKeepsOneCapitalLetterInEachHemisphereBox) {
    MainWindow window;
    EXPECT_TRUE(window.view.hidden.at(Label6));
    const struct {
        forms::form1::Id box;
        const char* typed;
        const char* shown;
    } cases[] = {{LatPos, "", "S"},  {LatPos, "n", "N"},  {LatPos, "x", "S"},
                 {LongPos, "", "W"}, {LongPos, "e", "E"}, {LongPos, "N", "W"}};
    for (const auto& c : cases) {
        window.view.type(c.box, c.typed);
        EXPECT_EQ(window.view.Text(c.box), c.shown) << c.box << " typed " << c.typed;
    }
    window.logic.CmdAide_Click();
    EXPECT_EQ(window.aboutRequests, 1);
}

TEST(AboutWindowLogic, LoadsItsTextsLightsTheLinkAndOpensThePage) {
    const forms::AppDescriptorRecord descriptor{"Quorvelin", "Quorvelin", "", 2, 10, 3, 0x040C};
    FakeView view{forms::AboutDesign()};
    forms::AboutLogic logic{view, descriptor};
    logic.Form_Load();
    EXPECT_EQ(view.caption, "À propos de Quorvelin");
    EXPECT_EQ(view.Text(forms::about::lblVersion), "Version 2.10.3");

    // Each step, then the link's background: unset is transparent.
    const struct {
        void (forms::AboutLogic::*event)();
        std::optional<forms::Colour> link;
    } steps[] = {{&forms::AboutLogic::lblvexor_MouseMove, forms::LightGreen},
                 {&forms::AboutLogic::Form_MouseMove, std::nullopt},
                 {&forms::AboutLogic::lblvexor_Click, forms::LightGreen}};
    for (const auto& step : steps) {
        (logic.*step.event)();
        EXPECT_EQ(view.backgrounds.at(forms::about::lblvexor), step.link);
    }
    EXPECT_EQ(view.pages, std::vector<std::string>{"www.vexor.example"});
    logic.PageNotOpened();
    logic.cmdOK_Click();
    EXPECT_EQ(view.boxes,
              std::vector<std::string>{"Quorvelin|Impossible d'ouvrir la page www.vexor.example"});
    EXPECT_TRUE(view.unloaded);
}

// A table naming an event that its control has not is refused by the check beside it, so that
// it does not build; a control the design lacks has no id to name it by.
struct Probe {
    using Id = forms::form1::Id;
    void Handler() {}
};
constexpr bool accepted(forms::form1::Id control, forms::Event event) {
    const forms::Binding<Probe> table[]{{control, event, &Probe::Handler}};
    return forms::EventsExist(forms::Form1Design(), table);
}
static_assert(accepted(forms::form1::Form1, forms::Event::MouseMove));
static_assert(accepted(LatPos, forms::Event::Change));
static_assert(accepted(Label6, forms::Event::Click));
static_assert(!accepted(Command1, forms::Event::Change));
static_assert(!accepted(TextTrame, forms::Event::MouseMove));
static_assert(!accepted(forms::form1::Form1, forms::Event::Change));

} // namespace
