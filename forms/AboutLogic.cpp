#include "forms/AboutLogic.h"

#include "forms/AboutDesign.h"
#include "forms/SysInfo.h"

#include <string>

namespace forms {

AboutLogic::AboutLogic(View& view, const AppDescriptorRecord& descriptor)
    : view_(view), descriptor_(descriptor), events_(AboutBindings, *this) {}

void AboutLogic::Form_Load() {
    view_.SetCaption("À propos de " + std::string(descriptor_.Title));
    view_.SetText(about::lblVersion, "Version " + std::to_string(descriptor_.Major) + "." +
                                         std::to_string(descriptor_.Minor) + "." +
                                         std::to_string(descriptor_.Revision));
}

void AboutLogic::Form_MouseMove() {
    view_.SetBackground(about::lblvexor, std::nullopt);
}

void AboutLogic::lblvexor_MouseMove() {
    view_.SetBackground(about::lblvexor, LightGreen);
}

// A page that cannot be opened is no reason to end the program: the user is told, as soon
// as the opener says so, and the window stays.
void AboutLogic::lblvexor_Click() {
    view_.SetBackground(about::lblvexor, LightGreen);
    view_.OpenWebPage(std::string(WebPage));
}

void AboutLogic::PageNotOpened() {
    view_.MessageBox(std::string(descriptor_.Title),
                     "Impossible d'ouvrir la page " + std::string(WebPage));
}

void AboutLogic::cmdOK_Click() {
    view_.Unload();
}

void AboutLogic::cmdSysInfo_Click() {
    StartSysInfo();
}

void AboutLogic::StartSysInfo() {
    forms::StartSysInfo([this] {
        view_.MessageBox(std::string(descriptor_.Title), std::string(SysInfoUnavailable));
    });
}

} // namespace forms
