#pragma once
// The multi-effect's 40 types as data: for each type the controls the effects window builds on
// its EFX page, in the order it makes them (a control's position, its Tag and the number of its
// name "ParamN", is its index + 1), the EFX parameter each control edits and how the control's
// value becomes that parameter's byte; the texts of the type list and the names of what the two
// EFX control sources drive for the type.
//
// EFX parameter k (1..12) is the effects window's parameter 12 + k; the type itself is window
// parameter 12, stored as the type number − 1. A type edits only some of the twelve; the others
// are neither shown nor written. Every value a control can take stores a byte below 80H.

#include "controls/value_text.h"
#include "editors/page_coding.h"

#include <cstdint>
#include <string>
#include <vector>

namespace editors {

inline constexpr int EfxTypeCount = 40;
inline constexpr int EfxParamCount = 12;
// Window parameters: the type, and the first of the twelve EFX parameters.
inline constexpr int EfxTypeParam = 12;
inline constexpr int EfxFirstParam = 13;

enum class TEfxControl : std::uint8_t {
    Slider, // a slider with a value box (Min..Max; Stereo centres it)
    Field,  // a stepped value field of kind EditType (Min, Max and Step for the MinMax kinds)
    List,   // a drop-down list of Items; the byte is the item index
};

struct TEfxParam {
    std::string Label; // the caption, exactly (trailing blanks included)
    TEfxControl Control = TEfxControl::Slider;
    int Param = 1; // EFX parameter 1..12
    TCoding Coding = Plain;
    int Min = 0;
    int Max = 127;
    int Step = 1;
    bool Stereo = false;
    controls::TEditType EditType = controls::TEditType::MinMax;
    int BoxWidth = 60; // the field's width
    std::vector<std::string> Items;

    // The effects window's parameter number of the byte this control edits.
    int WindowParam() const { return EfxTypeParam + Param; }
    // What the control shows for a stored byte, and the byte stored for its value.
    int ToValue(std::uint8_t byte) const { return Coding.ToValue(byte); }
    std::uint8_t ToByte(int value) const { return Coding.ToByte(value); }
    // The values the control can take: Lowest, Lowest + Step, .. Highest.
    int Lowest() const;
    int Highest() const;
};

struct TEfxType {
    int Number = 0;    // 1..40
    std::string Name;  // the type list's item
    std::string Ctrl1; // what control source 1 drives (the caption of LabelCtrl1)
    std::string Ctrl2;
    std::vector<TEfxParam> Params; // in the order the controls are made

    // The control at a position (1-based), or none beyond the type's controls.
    const TEfxParam* AtPos(int pos) const;
};

// The 40 types in list order.
const std::vector<TEfxType>& EfxTypes();
// The type of a number 1..40; none for 0 (nothing chosen) or any other number.
const TEfxType* EfxType(int number);
// The items of the type list, "  1 : Stereo Equalizer" .. "40 : Chorus / Flanger".
std::vector<std::string> EfxTypeListItems();

} // namespace editors
