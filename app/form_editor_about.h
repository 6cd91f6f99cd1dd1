#pragma once
// The about box: the program's icon, name and version, a few words on what it is, and Close.
// Borderless, centred on the screen; created once at start-up and shown modally by the main
// window's Help > About.

#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"

namespace app {

namespace forms = platform::forms;

class TFormeditorAbout : public forms::TForm {
public:
    explicit TFormeditorAbout(forms::TComponent* owner);
    ~TFormeditorAbout() override;

    forms::TPanel& Panel1;
    forms::TImage& ProgramIcon;
    forms::TLabel& ProductName;
    forms::TLabel& Version;
    // Three lines on what the program is.
    forms::TLabel& Line1;
    forms::TLabel& Line2;
    forms::TLabel& Line3;
    forms::TBevel& Rule;
    forms::TBitBtn& OKButton;

private:
    void OKButtonClick(forms::TObject* Sender);
};

// The about box while it lives; null before start-up made it and after it went.
TFormeditorAbout* FormeditorAbout();

} // namespace app
