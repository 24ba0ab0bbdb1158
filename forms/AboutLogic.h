// The About window's behaviour, whatever toolkit shows it.
#pragma once

#include "forms/AppDescriptor.h"
#include "forms/View.h"

namespace forms {

class AboutLogic {
public:
    AboutLogic(View& view, const AppDescriptorRecord& descriptor);

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
};

} // namespace forms
