// The manager in a form stream: its published properties in their order, with the bars, their
// links and the categories inside them, and the sizes of the four automatic dock sites. The
// items and groups are written inside the manager as components of their own (GetChildrenOf).
// While the form loads, what is read waits in the setters until Loaded applies it.

#include "toolkit/bars/model/dx_bar_manager.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_backgrounds.h"
#include "toolkit/bars/model/dx_bar_popup_menu_links.h"
#include "toolkit/bars/model/dx_bar_window_services.h"

#include "platform/core/filer.h"
#include "platform/forms/graphics.h"

#include <array>
#include <vector>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;

namespace {

// The automatic sites in the order of "DockControlHeights": the widths of the left and right
// ones, then the heights of the top and bottom ones.
constexpr std::array<TdxBarDockingStyle, 4> kDockControlHeightsOrder{dsLeft, dsRight, dsTop,
                                                                     dsBottom};

} // namespace

void TdxBarManager::DefinePublishedProperties(pc::TFiler& Filer) {
    pc::TComponent::DefinePublishedProperties(Filer);
    auto Image = [this](void (TdxBarManager::*Set)(pf::TImageList*)) {
        return std::function<void(pc::TComponent*)>([this, Set](pc::TComponent* Component) {
            if (auto* List = dynamic_cast<pf::TImageList*>(Component)) (this->*Set)(List);
        });
    };
    Filer.DefineBoolean(
        "AllowCallFromAnotherForm", AllowCallFromAnotherForm,
        [this](bool Value) { AllowCallFromAnotherForm = Value; }, AllowCallFromAnotherForm);
    Filer.DefineBoolean(
        "AllowReset", AllowReset, [this](bool Value) { AllowReset = Value; }, !AllowReset);
    Filer.DefineBoolean(
        "AlwaysMerge", AlwaysMerge, [this](bool Value) { AlwaysMerge = Value; }, AlwaysMerge);
    Filer.DefineBoolean(
        "AlwaysSaveText", AlwaysSaveText, [this](bool Value) { AlwaysSaveText = Value; },
        AlwaysSaveText);
    Filer.DefineBoolean(
        "AutoDockColor", FAutoDockColor, [this](bool Value) { SetAutoDockColor(Value); },
        !FAutoDockColor);
    Filer.DefineBoolean(
        "AutoHideEmptyBars", FAutoHideEmptyBars,
        [this](bool Value) { SetAutoHideEmptyBars(Value); }, FAutoHideEmptyBars);
    Filer.DefineBoolean(
        "Scaled", FScaled, [this](bool Value) { SetScaled(Value); }, !FScaled);
    pf::DefineFontProperties(Filer, "Font", *FFont, true);
    pf::DefineBitmapProperty(Filer, "Backgrounds.Bar", FBackgrounds->Bar(), true);
    pf::DefineBitmapProperty(Filer, "Backgrounds.SubMenu", FBackgrounds->SubMenu(), true);
    Filer.DefineProperty(
        "Bars",
        [this](pc::TReader& Reader) {
            FBars->Clear();
            Reader.ReadCollection([this]() -> pc::TPersistent& { return *FBars->Add(); });
        },
        [this](pc::TWriter& Writer) {
            std::vector<const pc::TPersistent*> Bars;
            for (int I = 0; I < FBars->Count(); ++I)
                Bars.push_back(FBars->Items(I));
            Writer.WriteCollection(Bars);
        },
        FBars->Count() > 0);
    Filer.DefineInteger(
        "ButtonArrowWidth", FButtonArrowWidth,
        [this](std::int32_t Value) { SetButtonArrowWidth(Value); }, FButtonArrowWidth != 11);
    Filer.DefineBoolean(
        "CanCustomize", CanCustomize, [this](bool Value) { CanCustomize = Value; }, !CanCustomize);
    FCategories->DefineProperties(Filer, "Categories");
    Filer.DefineInteger(
        "DockColor", static_cast<std::int32_t>(FDockColor),
        [this](std::int32_t Value) { SetDockColor(static_cast<pg::TColor>(Value)); },
        IsDockColorStored());
    Filer.DefineBoolean(
        "FlatCloseButton", FFlatCloseButton, [this](bool Value) { SetFlatCloseButton(Value); },
        FFlatCloseButton);
    pf::DefineBitmapProperty(Filer, "HelpButtonGlyph", *FHelpButtonGlyph, true);
    Filer.DefineInteger(
        "HelpContext", HelpContext, [this](std::int32_t Value) { HelpContext = Value; },
        HelpContext != 0);
    Filer.DefineBoolean(
        "HideFloatingBarsWhenInactive", FHideFloatingBarsWhenInactive,
        [this](bool Value) { SetHideFloatingBarsWhenInactive(Value); },
        !FHideFloatingBarsWhenInactive);
    Filer.DefineReference("HotImages", FHotImages, Image(&TdxBarManager::SetHotImages),
                          FHotImages != nullptr);
    Filer.DefineInteger(
        "ImageListBkColor", static_cast<std::int32_t>(FImageListBkColor),
        [this](std::int32_t Value) { SetImageListBkColor(static_cast<pg::TColor>(Value)); },
        FImageListBkColor != 0xFF00FF);
    Filer.DefineReference("Images", FImages, Image(&TdxBarManager::SetImages), FImages != nullptr);
    Filer.DefineReference("DisabledImages", FDisabledImages,
                          Image(&TdxBarManager::SetDisabledImages), FDisabledImages != nullptr);
    Filer.DefineReference("DisabledLargeImages", FDisabledLargeImages,
                          Image(&TdxBarManager::SetDisabledLargeImages),
                          FDisabledLargeImages != nullptr);
    Filer.DefineString(
        "IniFileName", IniFileName, [this](const std::string& Value) { IniFileName = Value; },
        !IniFileName.empty());
    Filer.DefineReference("LargeImages", FLargeImages, Image(&TdxBarManager::SetLargeImages),
                          FLargeImages != nullptr);
    Filer.DefineInteger(
        "LargeButtonArrowWidth", FLargeButtonArrowWidth,
        [this](std::int32_t Value) { SetLargeButtonArrowWidth(Value); },
        FLargeButtonArrowWidth != 13);
    Filer.DefineBoolean(
        "LargeIcons", FLargeIcons, [this](bool Value) { SetLargeIcons(Value); }, FLargeIcons);
    Filer.DefineNested("LookAndFeel", *FLookAndFeel);
    Filer.DefineBoolean(
        "MakeDisabledImagesFaded", FMakeDisabledImagesFaded,
        [this](bool Value) { SetMakeDisabledImagesFaded(Value); }, FMakeDisabledImagesFaded);
    Filer.DefineEnum(
        "MenuAnimations", FMenuAnimations, dxBarMenuAnimationsNames,
        [this](int Value) { SetMenuAnimations(static_cast<TdxBarMenuAnimations>(Value)); },
        FMenuAnimations != maNone);
    Filer.DefineBoolean(
        "MenusShowRecentItemsFirst", FMenusShowRecentItemsFirst,
        [this](bool Value) { SetMenusShowRecentItemsFirst(Value); }, !FMenusShowRecentItemsFirst);
    Filer.DefineInteger(
        "MostRecentItemsPercents", FMostRecentItemsPercents,
        [this](std::int32_t Value) { SetMostRecentItemsPercents(Value); },
        FMostRecentItemsPercents != 95);
    Filer.DefineSet(
        "NotDocking", FNotDocking, dxBarDockingStyleNames,
        [this](unsigned Value) { SetNotDocking(static_cast<TdxBarDockingStyles>(Value)); },
        FNotDocking != 0);
    Filer.DefineProperty(
        "PopupMenuLinks", [this](pc::TReader& Reader) { FPopupMenuLinks->ReadLinks(Reader); },
        [this](pc::TWriter& Writer) { FPopupMenuLinks->WriteLinks(Writer); },
        FPopupMenuLinks->Count() > 0);
    Filer.DefineString(
        "RegistryPath", RegistryPath, [this](const std::string& Value) { RegistryPath = Value; },
        !RegistryPath.empty());
    Filer.DefineBoolean(
        "ShowCloseButton", FShowCloseButton, [this](bool Value) { SetShowCloseButton(Value); },
        FShowCloseButton);
    Filer.DefineBoolean(
        "ShowFullMenusAfterDelay", FShowFullMenusAfterDelay,
        [this](bool Value) { SetShowFullMenusAfterDelay(Value); }, !FShowFullMenusAfterDelay);
    Filer.DefineBoolean(
        "ShowHelpButton", FShowHelpButton, [this](bool Value) { SetShowHelpButton(Value); },
        FShowHelpButton);
    Filer.DefineBoolean(
        "ShowHint", FShowHint, [this](bool Value) { SetShowHint(Value); }, !FShowHint);
    Filer.DefineBoolean(
        "ShowHintForDisabledItems", ShowHintForDisabledItems,
        [this](bool Value) { ShowHintForDisabledItems = Value; }, !ShowHintForDisabledItems);
    Filer.DefineBoolean(
        "ShowShortCutInHint", FShowShortCutInHint,
        [this](bool Value) { SetShowShortCutInHint(Value); }, FShowShortCutInHint);
    Filer.DefineBoolean(
        "StoreInIniFile", StoreInIniFile, [this](bool Value) { StoreInIniFile = Value; },
        StoreInIniFile);
    Filer.DefineBoolean(
        "StoreInRegistry", StoreInRegistry, [this](bool Value) { StoreInRegistry = Value; },
        StoreInRegistry);
    Filer.DefineBoolean(
        "StretchGlyphs", StretchGlyphs, [this](bool Value) { StretchGlyphs = Value; },
        !StretchGlyphs);
    Filer.DefineEnum(
        "Style", FStyle, dxBarManagerStyleNames,
        [this](int Value) { SetStyle(static_cast<TdxBarManagerStyle>(Value)); },
        FStyle != bmsEnhanced);
    Filer.DefineBoolean(
        "SunkenBorder", FSunkenBorder, [this](bool Value) { SetSunkenBorder(Value); },
        FSunkenBorder);
    Filer.DefineBoolean(
        "UseF10ForMenu", UseF10ForMenu, [this](bool Value) { UseF10ForMenu = Value; },
        !UseF10ForMenu);
    Filer.DefineBoolean(
        "UseFullReset", UseFullReset, [this](bool Value) { UseFullReset = Value; }, UseFullReset);
    Filer.DefineBoolean(
        "UseLargeImagesForLargeIcons", FUseLargeImagesForLargeIcons,
        [this](bool Value) { SetUseLargeImagesForLargeIcons(Value); },
        FUseLargeImagesForLargeIcons);
    // Set by the constructor, without a default: always written.
    Filer.DefineBoolean(
        "UseSystemFont", FUseSystemFont, [this](bool Value) { SetUseSystemFont(Value); }, true);
    Filer.DefineInteger(
        "WaitForDockingTime", FWaitForDockingTime,
        [this](std::int32_t Value) { SetWaitForDockingTime(Value); }, FWaitForDockingTime != 21);
}

void TdxBarManager::DefineProperties(pc::TFiler& Filer) {
    pc::TComponent::DefineProperties(Filer);
    Filer.DefineProperty(
        "DockControlHeights",
        [this](pc::TReader& Reader) {
            Reader.ReadListBegin();
            for (TdxBarDockingStyle Style : kDockControlHeightsOrder) {
                if (Reader.EndOfList()) break;
                const int Size = Reader.ReadInteger();
                if (TdxDockControl* Site = FBars->DockControls(Style))
                    dxBarWindowServices().SetDockSiteSize(*Site, Size);
            }
            while (!Reader.EndOfList())
                Reader.ReadInteger();
            Reader.ReadListEnd();
        },
        [this](pc::TWriter& Writer) {
            Writer.WriteListBegin();
            for (TdxBarDockingStyle Style : kDockControlHeightsOrder) {
                const TdxDockControl* Site = FBars->DockControls(Style);
                Writer.WriteInteger(Site ? dxBarWindowServices().DockSiteSize(*Site) : 0);
            }
            Writer.WriteListEnd();
        },
        FBars != nullptr);
}

} // namespace toolkit::bars
