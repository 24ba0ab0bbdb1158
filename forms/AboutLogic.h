// The About window's behaviour, whatever toolkit shows it.
#pragma once

#include "forms/AboutDesign.h"
#include "forms/AppDescriptor.h"
#include "forms/Events.h"
#include "forms/View.h"

namespace forms {

class AboutLogic {
public:
    using Id = about::Id;

    AboutLogic(View& view, const AppDescriptorRecord& descriptor);
    AboutLogic(const AboutLogic&) = delete;
    AboutLogic& operator=(const AboutLogic&) = delete;

    // The window's control events, each bound to its handler below.
    Events& events() { return events_; }

    void Form_Load();
    // Pointer moves over the window's bare surface (not over a control).
    void Form_MouseMove();
    void lblvexor_MouseMove();
    void lblvexor_Click();
    // The page opener reported, then or later, that it could not open the page.
    void PageNotOpened();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    void StartSysInfo();

private:
    View& view_;
    const AppDescriptorRecord& descriptor_;
    Events events_;
};

// Which control events run which handlers.
inline constexpr Binding<AboutLogic> AboutBindings[]{
    {about::frmAbout, Event::MouseMove, &AboutLogic::Form_MouseMove},
    {about::lblvexor, Event::MouseMove, &AboutLogic::lblvexor_MouseMove},
    {about::lblvexor, Event::Click, &AboutLogic::lblvexor_Click},
    {about::cmdOK, Event::Click, &AboutLogic::cmdOK_Click},
    {about::cmdSysInfo, Event::Click, &AboutLogic::cmdSysInfo_Click},
};
static_assert(EventsExist(AboutDesign(), AboutBindings), "an event its control has not");

} // namespace forms
