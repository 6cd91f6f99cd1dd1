#pragma once
// The preview set-up dialog ("Preview Setup"): whether the preview plays one note (which note,
// at which velocity) or a Standard MIDI File (which file), written to the settings and the
// settings file by OK. Holding "Test" auditions what the dialog shows without keeping it: the
// settings as they stood come back when the press ends, by its release or otherwise. The dialog
// owns the media player that plays a preview file. Created once at start-up; the main window's
// Settings > Preview shows it modally.

#include "controls/my_edit.h"
#include "controls/pan_slider.h"
#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"

#include <cstdint>
#include <memory>
#include <string>

namespace model {
class TMidiFilePlayer;
}

namespace app {

namespace forms = platform::forms;

class TFormPreviewSetup : public forms::TForm {
public:
    explicit TFormPreviewSetup(forms::TComponent* owner);
    ~TFormPreviewSetup() override;

    // The player of the MIDI-file preview.
    model::TMidiFilePlayer& MediaPlayer() { return *mediaPlayer_; }
    // Between a press of "Test" and the end of that press.
    bool Testing() const { return testing_; }

    forms::TGroupBox& GroupPlay;
    forms::TRadioButton& RadioSingle;
    forms::TRadioButton& RadioMidi;
    forms::TPanel& PanelNote;
    forms::TLabel& LabelNote;
    controls::TMyEdit& Note;
    forms::TLabel& LabelVelocity;
    controls::TPanSlider& Velocity;
    forms::TPanel& PanelMidi;
    forms::TLabel& LabelMidi;
    forms::TEdit& MidiName;
    forms::TButton& Cercabtn;
    forms::TBitBtn& BitBtn1;
    forms::TBitBtn& BitBtn2;
    forms::TBitBtn& BitBtn3;

private:
    // The four preview settings.
    struct TPreviewSettings {
        bool SingleNote = false;
        std::string MidiFile;
        std::int32_t PreviewNote = 0;
        std::int32_t PreviewVelocity = 0;
    };

    void FormShow(forms::TObject* Sender);
    void RadioSingleClick(forms::TObject* Sender);
    void CercabtnClick(forms::TObject* Sender);
    void BitBtn1MouseDown(forms::TObject* Sender, forms::TMouseButton Button);
    void BitBtn1MouseUp(forms::TObject* Sender, forms::TMouseButton Button);
    void BitBtn2Click(forms::TObject* Sender);
    void BitBtn3Click(forms::TObject* Sender);
    // The controls into the settings.
    void WriteControls();
    // Stops the preview and puts the saved settings back; once per press.
    void EndTest();

    std::unique_ptr<model::TMidiFilePlayer> mediaPlayer_;
    TPreviewSettings saved_;
    bool testing_ = false;
    // While the press starts the preview, an end of the press waits for it to return.
    bool starting_ = false;
    bool endedWhileStarting_ = false;
};

// The preview set-up dialog while it lives; null before start-up made it and after it went.
TFormPreviewSetup* FormPreviewSetup();

} // namespace app
