#pragma once
// The intro window: the picture shown while the program starts. Made with the main window, it
// disables the main window until start-up is done; shown, it waits 2000 ms and then runs
// StartUp, which ends by freeing it.

#include "app/form_quintaron.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"

#include <functional>
#include <string>
#include <vector>

namespace app {

namespace forms = platform::forms;

// The intro's picture beside the program.
inline constexpr const char* IntroPictureName = "introXP.bmp";
inline constexpr const char* IntroVersion = "Version 3.0";

class TFormintro : public forms::TForm, public TNonLibraryWindow {
public:
    // pictureFile: the intro's picture, by default IntroPictureName in the program's folder. A
    // picture that is missing or cannot be read leaves the intro blank.
    explicit TFormintro(forms::TComponent* owner, std::string pictureFile = DefaultPictureFile());

    static std::string DefaultPictureFile();

    // The start-up sequence, once the intro has stood its time: the start-up dialogs, the
    // preview hook, the settings, the main window enabled, the desktop, the intro freed. A step
    // that fails is reported as any exception is, and the sequence goes on.
    void StartUp();

    // What start-up creates first, each owned by the application, in the design's order.
    // Creating one that fails makes start-up report "Out of Memory or Resource".
    std::vector<std::function<void(forms::TComponent& owner)>> StartUpDialogs;

    forms::TTimer& Timer1;
    forms::TPanel& Panel1;
    forms::TImage& ImageIntro;
    forms::TLabel& LabelVer;
    forms::TButton& ButtonC;

private:
    void FormCreate(forms::TObject* Sender);
    void FormShow(forms::TObject* Sender);
    void ButtonCClick(forms::TObject* Sender);
    void Timer1Timer(forms::TObject* Sender);
    void CreateStartUpDialogs();

    std::string pictureFile_;
};

// "Out of Memory or Resource": the start-up dialogs could not all be created.
inline constexpr const char* StartUpDialogsFailed = "Out of Memory or Resource";

} // namespace app
