#pragma once
// The on-screen keyboard ("Keyboard"): a key selector that plays the pressed key on the
// instrument, on the preview channel at the preview velocity, and the nine base-octave buttons
// that choose which notes its keys give. A fixed-size child window of the main window made by
// the Keyboard command; it marks itself open in the application state while it lives, keeps its
// place and base octave in the settings file and releases itself when closed.

#include "app/form_quintaron.h"
#include "controls/key_selector.h"
#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"

#include <array>

namespace app {

namespace forms = platform::forms;

class TFormKeyboard : public forms::TForm, public TNonLibraryWindow {
public:
    // The main window must be the multiple-document parent.
    explicit TFormKeyboard(forms::TComponent* owner);
    ~TFormKeyboard() override;

    // Key index k plays note k + BaseOctave() x 12.
    int BaseOctave() const { return baseOctave_; }
    // The note that sounds, -1 when none.
    int LastNote() const { return lastNote_; }

    forms::TPanel& Panel1;
    forms::TLabel& Label1;
    // "-1" .. "7", one group: exactly one is down.
    std::array<forms::TSpeedButton*, 9> SpeedButtons;
    forms::TPanel& Panel;
    controls::TKeySelector& KeySelector;
    // Blank covers: the selector's leftmost key and what lies past the panel's right edge.
    forms::TPanel& Panel2;
    forms::TPanel& Panel3;

private:
    void FormCreate(forms::TObject* Sender);
    void FormShow(forms::TObject* Sender);
    void FormResize(forms::TObject* Sender);
    void FormClose(forms::TObject* Sender, forms::TCloseAction& Action);
    void SpeedButton1Click(forms::TObject* Sender);
    void KeySelectorChange(forms::TObject* Sender);
    void KeySelectorEndchange(forms::TObject* Sender);
    // The note-off of the sounding note, if any; none sounds after.
    void StopNote();
    void SendNote(int status, int note);

    int baseOctave_ = 0;
    int lastNote_ = -1;
    // Between the selector's end event of a press and that of its release.
    bool held_ = false;
};

} // namespace app
