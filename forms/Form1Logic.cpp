#include "forms/Form1Logic.h"

#include "text/Cp1252.h"

#include <array>
#include <string_view>

namespace forms {
namespace {

using Field = std::string composer::TrameFields::*;
using composer::TrameFields;

// Each position box and the composer field it feeds.
constexpr std::array<std::pair<form1::Id, Field>, 8> PositionBoxes{{
    {form1::LatDeg, &TrameFields::latDeg},
    {form1::LatMin, &TrameFields::latMin},
    {form1::LatSec, &TrameFields::latSec},
    {form1::LatPos, &TrameFields::latPos},
    {form1::LongDeg, &TrameFields::longDeg},
    {form1::LongMin, &TrameFields::longMin},
    {form1::LongSec, &TrameFields::longSec},
    {form1::LongPos, &TrameFields::longPos},
}};

// Setting a box to the text it holds raises no change, so each settles after one rewrite.
void normalise(View& view, form1::Id box, std::string_view letter, std::string_view lower,
               std::string_view otherwise) {
    const std::string text = view.Text(box);
    const std::string_view wanted = text == letter || text == lower ? letter : otherwise;
    if (text != wanted) {
        view.SetText(box, std::string(wanted));
    }
}

} // namespace

Form1Logic::Form1Logic(View& view, std::function<void()> requestAbout)
    : view_(view), requestAbout_(std::move(requestAbout)), events_(Form1Bindings, *this) {}

void Form1Logic::Form_Load() {
    composer_.ResetTrame();
    view_.SetVisible(form1::Label6, false);
}

void Form1Logic::LatPos_Change() {
    normalise(view_, form1::LatPos, "N", "n", "S");
}

void Form1Logic::LongPos_Change() {
    normalise(view_, form1::LongPos, "E", "e", "W");
}

void Form1Logic::Command1_Click() {
    view_.SetText(form1::TextTrame, "");
    TrameFields fields;
    for (const auto& [box, field] : PositionBoxes) {
        fields.*field = text::ToCp1252(view_.Text(box));
    }
    const TrameFields typed = fields;
    const std::string sentence = composer_.ComposeTrame(fields);
    // Only the "0" to "00" correction is written back: every other box keeps exactly what was
    // typed, characters outside the sentence's code page included.
    for (const auto& [box, field] : PositionBoxes) {
        if (fields.*field != typed.*field) {
            view_.SetText(box, text::FromCp1252(fields.*field));
        }
    }
    view_.SetText(form1::TextTrame, text::FromCp1252(sentence));
}

void Form1Logic::CmdAide_Click() {
    if (requestAbout_) {
        requestAbout_();
    }
}

} // namespace forms
