#include "app/form_intro.h"

#include "app/app_services.h"
#include "app/form_comment.h"
#include "app/form_edit.h"
#include "app/form_editor_about.h"
#include "app/form_expansion.h"
#include "app/form_in_out.h"
#include "app/form_morph.h"
#include "app/form_names.h"
#include "app/form_preview_setup.h"
#include "app/form_search.h"
#include "app/form_transmet.h"
#include "app/form_update_names.h"
#include "model/files/data_folders.h"
#include "model/program/quintaron.h"
#include "model/program/ui_services.h"
#include "platform/core/exception.h"
#include "platform/forms/application.h"
#include "platform/forms/place_control.h"

#include <exception>

namespace app {

namespace pc = platform::core;

namespace {

constexpr int IntroWidth = 514;
constexpr int IntroHeight = 324;
constexpr unsigned IntroMillis = 2000;
// The version line stands right on the picture's plain ground, between the fading end of the
// wave and the keys, in white.
constexpr int VersionWidth = 140;
constexpr int VersionLeft = IntroWidth - 16 - VersionWidth;
constexpr int VersionTop = 198;

template <class T> T& CreateDialog(forms::TComponent& owner) {
    T& form = owner.Own<T>();
    form.AfterConstruction();
    return form;
}

// The start-up dialogs in the design's order: about, expansion, names, name fetch, element
// edit, comment, transfer progress, search, preview set-up, morph, MIDI ports. The MIDI ports
// dialog comes last, because creating it opens the ports that the others' handlers may be
// given.
std::vector<std::function<void(forms::TComponent&)>> DesignStartUpDialogs() {
    return {
        [](forms::TComponent& owner) { CreateDialog<TFormeditorAbout>(owner); },
        [](forms::TComponent& owner) { CreateDialog<TFormExpansion>(owner); },
        [](forms::TComponent& owner) { CreateDialog<TFormNames>(owner); },
        [](forms::TComponent& owner) { CreateDialog<TFormUpdateNames>(owner); },
        [](forms::TComponent& owner) { CreateDialog<TFormEdit>(owner); },
        [](forms::TComponent& owner) { CreateDialog<TFormcomment>(owner); },
        [](forms::TComponent& owner) {
            TFormTransmet& transmet = CreateDialog<TFormTransmet>(owner);
            if (auto* services = dynamic_cast<TAppServices*>(model::UiServices()))
                services->SetTransferWindow(&transmet);
        },
        [](forms::TComponent& owner) { CreateDialog<TFormSearch>(owner); },
        [](forms::TComponent& owner) { CreateDialog<TFormPreviewSetup>(owner); },
        [](forms::TComponent& owner) { CreateDialog<TFormMorph>(owner); },
        [](forms::TComponent& owner) { CreateDialog<TFormInOut>(owner); },
    };
}

// Runs one step of start-up; a failure is reported and the next step still runs.
void Step(const std::function<void()>& step) {
    try {
        step();
    } catch (...) {
        forms::Application().HandleException(std::current_exception());
    }
}

} // namespace

std::string TFormintro::DefaultPictureFile() {
    return model::ProgramDir() + "/" + IntroPictureName;
}

TFormintro::TFormintro(forms::TComponent* owner, std::string pictureFile)
    : TForm(owner, forms::fsStayOnTop), StartUpDialogs(DesignStartUpDialogs()),
      Timer1(Own<forms::TTimer>()),
      Panel1(forms::PlaceControl<forms::TPanel>(*this, *this, 0, IntroHeight - 64, IntroWidth, 36)),
      ImageIntro(forms::PlaceControl<forms::TImage>(*this, *this, 0, 0, IntroWidth, IntroHeight)),
      LabelVer(forms::PlaceControl<forms::TLabel>(*this, *this, VersionLeft, VersionTop,
                                                  VersionWidth, 16)),
      ButtonC(forms::PlaceControl<forms::TButton>(*this, Panel1, IntroWidth - 96, 6, 75, 25,
                                                  "Continue")),
      pictureFile_(std::move(pictureFile)) {
    Name = "Formintro";
    SetBorderStyle(forms::bsNone);
    Position = forms::poScreenCenter;
    Timer1.SetEnabled(false);
    Timer1.SetInterval(IntroMillis);
    Timer1.SetOnTimer([this](forms::TObject* sender) { Timer1Timer(sender); });
    ImageIntro.SetAlign(forms::alClient);
    ImageIntro.SetStretch(true);
    LabelVer.SetTransparent(true);
    LabelVer.Alignment = forms::taRightJustify;
    LabelVer.Font().SetColor(platform::gdi::clWhite);
    LabelVer.BringToFront();
    Panel1.BringToFront();
    ButtonC.OnClick = [this](forms::TObject* sender) { ButtonCClick(sender); };
    OnCreate = [this](forms::TObject* sender) { FormCreate(sender); };
    OnShow = [this](forms::TObject* sender) { FormShow(sender); };
}

void TFormintro::FormCreate(forms::TObject*) {
    if (TFormquintaron* main = MainWindow()) main->SetEnabled(false);
    try {
        ImageIntro.Picture().LoadFromFile(pictureFile_);
    } catch (const pc::Exception&) {
        // Without its picture the intro stands blank.
    }
    LabelVer.SetCaption(IntroVersion);
    SetBounds(Left(), Top(), IntroWidth, IntroHeight);
}

void TFormintro::FormShow(forms::TObject* Sender) {
    ButtonCClick(Sender);
}

void TFormintro::ButtonCClick(forms::TObject*) {
    ButtonC.SetVisible(false);
    Panel1.SetVisible(false);
    Timer1.SetEnabled(true);
}

void TFormintro::Timer1Timer(forms::TObject*) {
    Timer1.SetEnabled(false);
    StartUp();
}

void TFormintro::CreateStartUpDialogs() {
    try {
        for (const auto& create : StartUpDialogs)
            create(forms::Application());
    } catch (...) {
        throw pc::Exception(StartUpDialogsFailed);
    }
}

void TFormintro::StartUp() {
    TFormquintaron* main = MainWindow();
    Step([this] { CreateStartUpDialogs(); });
    Step([main] {
        if (main == nullptr) return;
        forms::Application().OnMessage = [main](pc::MSG& msg, bool& handled) {
            main->Preview(msg, handled);
        };
    });
    Step([] {
        if (model::AppState() != nullptr) model::AppState()->Config.Load();
    });
    Step([main] {
        if (main != nullptr) main->SetEnabled(true);
    });
    Step([main] {
        if (main != nullptr) main->LoadDesktopLibrary();
    });
    Release();
}

} // namespace app
