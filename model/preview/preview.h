#pragma once
// Auditioning what is being edited while the preview control is held: one note on the
// instrument, or a Standard MIDI File played by the media player, as the settings say. The
// file is played with the program's MIDI ports closed, and they are opened again after it.

namespace model {

// Screen cursors of the preview: the default one, and the one shown while the preview is held.
inline constexpr int crDefault = 0;
inline constexpr int crHelp = -20;

inline constexpr const char* UnableToOpenMidiFile = "Unable to Open Midi File.";

// The key of the rhythm note page that is the active window (its key selector + 36), else the
// configured preview note; kept to 0..127.
int PreviewKey();
void PreviewNoteOn();
void PreviewNoteOff();

} // namespace model
