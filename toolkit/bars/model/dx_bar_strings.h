#pragma once
// The bar library's resource strings (ids 65152 to 65247 of the library's own table).

#include "toolkit/base/resource_strings.h"

namespace toolkit::bars {

// 65190
extern const toolkit::base::TResStringRec dxSBAR_CUSTOMIZE;
// 65192: the hint of a floating toolbar's quick-customise mark.
extern const toolkit::base::TResStringRec dxSBAR_MOREBUTTONS;
// 65194: the expand area's hint when menus do not expand by themselves.
extern const toolkit::base::TResStringRec dxSBAR_EXPAND;
// 65195: the detach strip's hint.
extern const toolkit::base::TResStringRec dxSBAR_DRAGTOMAKEMENUFLOAT;
// 65244
extern const toolkit::base::TResStringRec dxSBAR_RECURSIVEGROUPS;
// 65245
extern const toolkit::base::TResStringRec dxSBAR_DEFAULTCATEGORYNAME;
// Raised by a link whose sub-item would contain itself.
extern const toolkit::base::TResStringRec dxSBAR_RECURSIVESUBITEMS;
// 65235
extern const toolkit::base::TResStringRec dxSBAR_ONEMANAGERPERFORM;
// 65236
extern const toolkit::base::TResStringRec dxSBAR_MANAGEROWNERNOTFORM;
// Raised by a popup menu made while no manager lives.
extern const toolkit::base::TResStringRec dxSBAR_NOBARMANAGERS;
// The caption of the sub-menu editor.
extern const toolkit::base::TResStringRec dxSBAR_SUBMENUEDITORCAPTION;

} // namespace toolkit::bars
