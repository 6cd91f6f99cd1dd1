#include "toolkit/bars/model/dx_bar_strings.h"

namespace toolkit::bars {

const toolkit::base::TResStringRec dxSBAR_CUSTOMIZE{"&Customize..."};
const toolkit::base::TResStringRec dxSBAR_MOREBUTTONS{"More Buttons"};
const toolkit::base::TResStringRec dxSBAR_EXPAND{"Expand (Ctrl-Down)"};
const toolkit::base::TResStringRec dxSBAR_DRAGTOMAKEMENUFLOAT{"Drag to make this menu float"};
const toolkit::base::TResStringRec dxSBAR_RECURSIVEGROUPS{"You cannot create recursive groups"};
const toolkit::base::TResStringRec dxSBAR_DEFAULTCATEGORYNAME{"Default"};
const toolkit::base::TResStringRec dxSBAR_RECURSIVESUBITEMS{"You cannot create recursive subitems"};
const toolkit::base::TResStringRec dxSBAR_ONEMANAGERPERFORM{
    "A Form should contain only a single TdxBarManager"};
const toolkit::base::TResStringRec dxSBAR_MANAGEROWNERNOTFORM{
    "TdxBarManager should have as its Owner - TForm (TCustomForm)"};
const toolkit::base::TResStringRec dxSBAR_NOBARMANAGERS{"There are no TdxBarManagers available"};
const toolkit::base::TResStringRec dxSBAR_SUBMENUEDITORCAPTION{"SubMenu Editor"};

} // namespace toolkit::bars
