#include "toolkit/bars/model/dx_bar_storage.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_window_services.h"

#include "platform/core/exception.h"
#include "platform/core/mem_ini_file.h"
#include "platform/core/registry.h"
#include "platform/core/streams.h"
#include "platform/core/text.h"
#include "platform/forms/graphics.h"
#include "platform/forms/screen.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;

namespace {

// A value that is missing, unreadable or out of its range, while a bar's values are applied.
struct TBarValueFailure {};

// What the two stores share: sections named by path, values read as text or numbers (nothing
// when missing or unreadable) and written by kind.
class TLayoutStore {
public:
    virtual ~TLayoutStore() = default;
    // The registry fails a bar on a missing value; the settings file reads defaults instead.
    virtual bool IsRegistry() const = 0;
    virtual bool SectionExists(const std::string& Section) = 0;
    virtual std::optional<std::string> ReadStr(const std::string& Section,
                                               const std::string& Name) = 0;
    virtual std::optional<int> ReadInt(const std::string& Section, const std::string& Name) = 0;
    // The UserDefine set: one binary byte in the registry, an integer in the settings file.
    virtual std::optional<int> ReadSet(const std::string& Section, const std::string& Name) = 0;
    virtual void BeginSection(const std::string& Section) = 0;
    virtual void WriteStr(const std::string& Name, const std::string& Value) = 0;
    virtual void WriteInt(const std::string& Name, int Value) = 0;
    virtual void WriteSet(const std::string& Name, int Value) = 0;
    // A glyph, as a bitmap stream: the registry keeps it; the settings file holds no pictures
    // (writing does nothing, reading finds none).
    virtual void WriteGlyph(const std::string& Name, const pf::TBitmap& Glyph) = 0;
    virtual bool ReadGlyph(const std::string& Section, const std::string& Name,
                           pf::TBitmap& Glyph) = 0;
    void WriteBool(const std::string& Name, bool Value) { WriteInt(Name, Value ? 1 : 0); }
    // Where a bar's or sub-item's link k lies.
    virtual std::string LinkSection(const std::string& Owner, int K) const = 0;
};

class TRegistryStore : public TLayoutStore {
public:
    bool IsRegistry() const override { return true; }
    bool SectionExists(const std::string& Section) override { return Reg.KeyExists(Section); }
    std::optional<std::string> ReadStr(const std::string& Section,
                                       const std::string& Name) override {
        try {
            if (Open(Section) && Reg.ValueExists(Name)) return Reg.ReadString(Name);
        } catch (const pc::ERegistryException&) {
        }
        return std::nullopt;
    }
    std::optional<int> ReadInt(const std::string& Section, const std::string& Name) override {
        try {
            if (Open(Section) && Reg.ValueExists(Name)) return Reg.ReadInteger(Name);
        } catch (const pc::ERegistryException&) {
        }
        return std::nullopt;
    }
    std::optional<int> ReadSet(const std::string& Section, const std::string& Name) override {
        try {
            if (Open(Section) && Reg.ValueExists(Name)) {
                const std::vector<std::uint8_t> Bytes = Reg.ReadBinaryData(Name);
                if (!Bytes.empty()) return Bytes[0];
            }
        } catch (const pc::ERegistryException&) {
        }
        return std::nullopt;
    }
    void BeginSection(const std::string& Section) override {
        FWritable = Reg.OpenKey(Section, true);
        FOpenSection = FWritable ? Section : std::string();
    }
    void WriteStr(const std::string& Name, const std::string& Value) override {
        if (FWritable) Reg.WriteString(Name, Value);
    }
    void WriteInt(const std::string& Name, int Value) override {
        if (FWritable) Reg.WriteInteger(Name, Value);
    }
    void WriteSet(const std::string& Name, int Value) override {
        if (FWritable) Reg.WriteBinaryData(Name, {static_cast<std::uint8_t>(Value)});
    }
    void WriteGlyph(const std::string& Name, const pf::TBitmap& Glyph) override {
        if (!FWritable) return;
        pc::TMemoryStream Stream;
        Glyph.SaveToStream(Stream);
        Reg.WriteBinaryData(Name, Stream.Bytes());
    }
    bool ReadGlyph(const std::string& Section, const std::string& Name,
                   pf::TBitmap& Glyph) override {
        try {
            if (!Open(Section) || !Reg.ValueExists(Name)) return false;
            pc::TMemoryStream Stream(Reg.ReadBinaryData(Name));
            Glyph.LoadFromStream(Stream);
            return true;
        } catch (const pc::Exception&) {
            return false;
        }
    }
    std::string LinkSection(const std::string& Owner, int K) const override {
        return Owner + "\\ItemLink" + std::to_string(K);
    }

    pc::TRegistry Reg;

private:
    bool Open(const std::string& Section) {
        if (FOpenSection == Section) return true;
        FOpenSection.clear();
        if (!Reg.OpenKey(Section, false)) return false;
        FOpenSection = Section;
        return true;
    }
    std::string FOpenSection;
    bool FWritable = false;
};

class TIniStore : public TLayoutStore {
public:
    explicit TIniStore(const std::string& FileName) : Ini(FileName) {}
    bool IsRegistry() const override { return false; }
    bool SectionExists(const std::string& Section) override { return Ini.SectionExists(Section); }
    std::optional<std::string> ReadStr(const std::string& Section,
                                       const std::string& Name) override {
        if (!Ini.ValueExists(Section, Name)) return std::nullopt;
        return Ini.ReadString(Section, Name, "");
    }
    std::optional<int> ReadInt(const std::string& Section, const std::string& Name) override {
        if (!Ini.ValueExists(Section, Name)) return std::nullopt;
        // A value that is no number reads as missing: the default applies.
        const std::string Text = Ini.ReadString(Section, Name, "");
        const int Value = pc::StrToIntDef(Text, 0);
        if (Value != pc::StrToIntDef(Text, 1)) return std::nullopt;
        return Value;
    }
    std::optional<int> ReadSet(const std::string& Section, const std::string& Name) override {
        return ReadInt(Section, Name);
    }
    void BeginSection(const std::string& Section) override {
        FSection = Section;
        Ini.AddSection(Section);
    }
    void WriteStr(const std::string& Name, const std::string& Value) override {
        Ini.WriteString(FSection, Name, Value);
    }
    void WriteInt(const std::string& Name, int Value) override {
        Ini.WriteInteger(FSection, Name, Value);
    }
    void WriteSet(const std::string& Name, int Value) override { WriteInt(Name, Value); }
    void WriteGlyph(const std::string&, const pf::TBitmap&) override {}
    bool ReadGlyph(const std::string&, const std::string&, pf::TBitmap&) override { return false; }
    std::string LinkSection(const std::string& Owner, int K) const override {
        return Owner + ".ItemLink" + std::to_string(K);
    }

    pc::TMemIniFile Ini;

private:
    std::string FSection;
};

std::string ItemName(const TdxBarManager& Manager, const TdxBarItem* Item) {
    const int Index = Item ? Manager.IndexOfItem(Item) : -1;
    const pc::TComponent* Component = Manager.GetItemComponent(Index);
    return Component ? Component->Name : std::string();
}

bool UsesRecent(const TdxBarManager& Manager, const TdxBarItemLinks& Links) {
    return Manager.IsNotStandardStyle() && Links.UseRecentItems;
}

void SaveLinks(TdxBarManager& Manager, TLayoutStore& Store, const std::string& Section,
               TdxBarItemLinks& Links, bool OfBar) {
    Store.BeginSection(Section);
    Store.WriteInt("ItemLinkCount", Links.Count());
    for (int K = 0; K < Links.Count(); ++K) {
        TdxBarItemLink& Link = *Links.Items(K);
        const std::string Name = ItemName(Manager, Link.Item());
        if (Name.empty()) continue;
        Store.BeginSection(Store.LinkSection(Section, K));
        Store.WriteStr("ItemName", Name);
        Store.WriteBool("BeginGroup", Link.BeginGroup());
        // A glyph is no text: the settings file never holds one, nor the flag of one it would
        // not give back.
        TdxBarUserDefines Defines = Link.UserDefine();
        if (!Store.IsRegistry() || !Link.UserGlyph()) Defines &= ~dxUserDefineBit(udGlyph);
        Store.WriteSet("UserDefine", Defines);
        if (Defines & dxUserDefineBit(udCaption)) Store.WriteStr("UserCaption", Link.UserCaption());
        if (Defines & dxUserDefineBit(udGlyph)) Store.WriteGlyph("UserGlyph", *Link.UserGlyph());
        if (Defines & dxUserDefineBit(udPaintStyle))
            Store.WriteInt("UserPaintStyle", Link.UserPaintStyle());
        if (Defines & dxUserDefineBit(udWidth)) Store.WriteInt("UserWidth", Link.UserWidth());
        if (OfBar) Store.WriteBool("Visible", Link.Visible());
        if (UsesRecent(Manager, Links)) {
            Store.WriteInt("UseCount", Link.UseCount);
            Store.WriteInt("RecentIndex", Link.GetRecentIndex());
        }
    }
}

void LoadLinks(TdxBarManager& Manager, TLayoutStore& Store, const std::string& Section,
               TdxBarItemLinks& Links, bool OfBar) {
    Links.Clear();
    int Count = Store.ReadInt(Section, "ItemLinkCount").value_or(0);
    if (Count < 0 || Count > MaxStoredLinkCount) Count = 0;
    const bool Recent = UsesRecent(Manager, Links);
    for (int K = 0; K < Count; ++K) {
        const std::string LinkSection = Store.LinkSection(Section, K);
        if (!Store.SectionExists(LinkSection)) continue;
        const std::string Name = Store.ReadStr(LinkSection, "ItemName").value_or("");
        TdxBarItem* Item = Name.empty() ? nullptr : Manager.GetItemByName(Name);
        if (!Item) continue;
        TdxBarItemLink* Link = nullptr;
        try {
            Link = Links.Add(Item);
        } catch (const pc::Exception&) {
            continue; // an item that would hold its own owner
        }
        Link->SetBeginGroup(Store.ReadInt(LinkSection, "BeginGroup").value_or(0) != 0);
        // Only the four bits of the set.
        const int Defines = Store.ReadSet(LinkSection, "UserDefine").value_or(0) & 0x0F;
        if (Defines & dxUserDefineBit(udCaption))
            Link->SetUserCaption(Store.ReadStr(LinkSection, "UserCaption").value_or(""));
        // A glyph that is missing or no bitmap leaves the item's own.
        if (Defines & dxUserDefineBit(udGlyph)) {
            pf::TBitmap Glyph;
            if (Store.ReadGlyph(LinkSection, "UserGlyph", Glyph)) Link->SetUserGlyph(Glyph);
        }
        if (Defines & dxUserDefineBit(udPaintStyle)) {
            const int Style = Store.ReadInt(LinkSection, "UserPaintStyle").value_or(0);
            if (Style >= psStandard && Style <= psCaptionGlyph)
                Link->SetUserPaintStyle(static_cast<TdxBarPaintStyle>(Style));
        }
        if (Defines & dxUserDefineBit(udWidth))
            Link->SetUserWidth(Store.ReadInt(LinkSection, "UserWidth").value_or(100));
        if (OfBar)
            if (const std::optional<int> Visible = Store.ReadInt(LinkSection, "Visible"))
                Link->SetPendingVisible(*Visible != 0);
        if (Recent) {
            const int UseCount = std::max(0, Store.ReadInt(LinkSection, "UseCount").value_or(0));
            int RecentIndex = Store.ReadInt(LinkSection, "RecentIndex").value_or(-1);
            if (RecentIndex < -1 || RecentIndex >= Count) RecentIndex = -1;
            Link->SetStoredRecent(RecentIndex, UseCount);
        }
    }
    Links.Loaded(true);
}

// The six options and the bar count. Ordinals outside their enumeration keep the option.
void SaveMain(TdxBarManager& Manager, TLayoutStore& Store, const std::string& Section) {
    Store.BeginSection(Section);
    if (Manager.IsNotStandardStyle()) {
        Store.WriteBool("MenusShowRecentItemsFirst", Manager.MenusShowRecentItemsFirst());
        Store.WriteBool("ShowFullMenusAfterDelay", Manager.ShowFullMenusAfterDelay());
    }
    Store.WriteBool("LargeIcons", Manager.LargeIcons());
    Store.WriteInt("MenuAnimations", Manager.MenuAnimations());
    Store.WriteBool("ShowHint", Manager.ShowHint());
    Store.WriteBool("ShowShortCutInHint", Manager.ShowShortCutInHint());
    Store.WriteInt("BarCount", Manager.Bars()->Count());
}

void LoadMain(TdxBarManager& Manager, TLayoutStore& Store, const std::string& Section) {
    const auto Flag = [&](const char* Name, bool Current) {
        const std::optional<int> Value = Store.ReadInt(Section, Name);
        return Value ? *Value != 0 : Current;
    };
    if (Manager.IsNotStandardStyle()) {
        Manager.SetMenusShowRecentItemsFirst(
            Flag("MenusShowRecentItemsFirst", Manager.MenusShowRecentItemsFirst()));
        Manager.SetShowFullMenusAfterDelay(
            Flag("ShowFullMenusAfterDelay", Manager.ShowFullMenusAfterDelay()));
    }
    Manager.SetLargeIcons(Flag("LargeIcons", Manager.LargeIcons()));
    if (const std::optional<int> Animations = Store.ReadInt(Section, "MenuAnimations"))
        if (*Animations >= maNone && *Animations <= maFade)
            Manager.SetMenuAnimations(static_cast<TdxBarMenuAnimations>(*Animations));
    Manager.SetShowHint(Flag("ShowHint", Manager.ShowHint()));
    Manager.SetShowShortCutInHint(Flag("ShowShortCutInHint", Manager.ShowShortCutInHint()));
}

void SaveBar(TdxBarManager& Manager, TLayoutStore& Store, const std::string& Section, TdxBar& Bar) {
    Store.BeginSection(Section);
    const pc::TComponent* Form = Manager.Form();
    Store.WriteStr("Caption", Bar.Caption());
    if (Bar.DockedDockControl())
        Store.WriteStr(
            "DockedDockControl",
            GetComponentNamePath(
                dxBarWindowServices().PlacedDockSiteComponent(*Bar.DockedDockControl()), Form));
    Store.WriteInt("DockedDockingStyle", Bar.DockedDockingStyle);
    Store.WriteInt("DockedLeft", Bar.DockedLeft());
    Store.WriteInt("DockedTop", Bar.DockedTop());
    Store.WriteBool("OneOnRow", Bar.OneOnRow);
    Store.WriteInt("Row", Bar.Row());
    Store.WriteInt("FloatLeft", Bar.FloatLeft());
    Store.WriteInt("FloatTop", Bar.FloatTop());
    Store.WriteInt("FloatClientWidth", Bar.FloatClientWidth());
    Store.WriteInt("FloatClientHeight", Bar.FloatClientHeight());
    if (Bar.DockControl())
        Store.WriteStr(
            "DockControl",
            GetComponentNamePath(dxBarWindowServices().PlacedDockSiteComponent(*Bar.DockControl()),
                                 Form));
    Store.WriteInt("DockingStyle", Bar.DockingStyle());
    Store.WriteBool("Visible", Bar.Visible());
    SaveLinks(Manager, Store, Section, Bar.ItemLinks(), true);
}

// Applies a bar's stored values in the order of the table; TBarValueFailure or an exception
// leaves the rest unread.
void ApplyBar(TdxBarManager& Manager, TLayoutStore& Store, const std::string& Section, TdxBar& Bar,
              int BarCount) {
    const bool Strict = Store.IsRegistry();
    const auto Int = [&](const char* Name, int Current) {
        const std::optional<int> Value = Store.ReadInt(Section, Name);
        if (!Value && Strict) throw TBarValueFailure{};
        return Value.value_or(Current);
    };
    const auto Style = [&](const char* Name, TdxBarDockingStyle Current) {
        const int Value = Int(Name, Current);
        if (Value < dsNone || Value > dsBottom) throw TBarValueFailure{};
        return static_cast<TdxBarDockingStyle>(Value);
    };
    const auto Site = [&](const char* Name) {
        const std::optional<std::string> Path = Store.ReadStr(Section, Name);
        return FindDockControlByPath(Manager, Path.value_or(""));
    };
    const std::optional<std::string> Caption = Store.ReadStr(Section, "Caption");
    if (!Caption && Strict) throw TBarValueFailure{};
    if (Caption) Bar.SetCaption(*Caption);
    Bar.SetDockedDockControl(Site("DockedDockControl"));
    Bar.DockedDockingStyle = Style("DockedDockingStyle", Bar.DockedDockingStyle);
    Bar.SetDockedLeft(Int("DockedLeft", Bar.DockedLeft()));
    Bar.SetDockedTop(Int("DockedTop", Bar.DockedTop()));
    Bar.OneOnRow = Int("OneOnRow", Bar.OneOnRow) != 0;
    Bar.SetRow(std::clamp(Int("Row", Bar.Row()), 0, BarCount));
    Bar.SetFloatLeft(Int("FloatLeft", Bar.FloatLeft()));
    Bar.SetFloatTop(Int("FloatTop", Bar.FloatTop()));
    Bar.SetFloatClientWidth(std::max(0, Int("FloatClientWidth", Bar.FloatClientWidth())));
    Bar.SetFloatClientHeight(std::max(0, Int("FloatClientHeight", Bar.FloatClientHeight())));
    TdxBarDockControl* DockControl = Site("DockControl");
    const TdxBarDockingStyle DockingStyle = Style("DockingStyle", Bar.DockingStyle());
    Bar.SetDockControl(DockControl);
    if (!DockControl) Bar.SetDockingStyle(DockingStyle);
    const std::optional<int> Visible = Store.ReadInt(Section, "Visible");
    if (!Visible && Strict) throw TBarValueFailure{};
    // The new place is no docking-style change the program should hear of.
    TdxBarEvent Notify = std::move(Manager.OnBarDockingStyleChange);
    Manager.OnBarDockingStyleChange = nullptr;
    try {
        Bar.SetVisible(Visible.value_or(0) != 0);
    } catch (...) {
        Manager.OnBarDockingStyleChange = std::move(Notify);
        throw;
    }
    Manager.OnBarDockingStyleChange = std::move(Notify);
}

void LoadBars(TdxBarManager& Manager, TLayoutStore& Store, const std::string& MainSection,
              const std::string& BarPrefix) {
    std::optional<int> Stored = Store.ReadInt(MainSection, "BarCount");
    if (!Stored || *Stored < 0 || *Stored > MaxStoredBarCount) return;
    const int BarCount = *Stored;
    TdxBars& Bars = *Manager.Bars();
    const auto Present = [&](const std::string& Section) {
        return Store.IsRegistry() ? Store.SectionExists(Section)
                                  : Store.ReadInt(Section, "Row").value_or(-1000) > -1000;
    };
    // The stored count may name bars that have no section: rows are clamped to the bars there
    // will be, known only once every section has been looked for.
    int Loaded = Bars.Count();
    for (int I = BarCount - 1; I >= Loaded; --I)
        if (Present(BarPrefix + std::to_string(I))) {
            Loaded = I + 1;
            break;
        }
    for (int I = 0; I < Bars.Count(); ++I)
        Bars.Items(I)->SetVisible(false);
    for (int I = 0; I < BarCount; ++I) {
        const std::string Section = BarPrefix + std::to_string(I);
        if (!Present(Section)) continue;
        while (Bars.Count() < I + 1)
            Bars.Add();
        TdxBar& Bar = *Bars.Items(I);
        LoadLinks(Manager, Store, Section, Bar.ItemLinks(), true);
        try {
            ApplyBar(Manager, Store, Section, Bar, Loaded);
        } catch (const TBarValueFailure&) {
            Bar.SetVisible(true);
        } catch (const pc::Exception&) {
            Bar.SetVisible(true);
        }
    }
}

void LoadSubItems(TdxBarManager& Manager, TLayoutStore& Store, const std::string& Prefix) {
    for (int I = 0; I < Manager.GetItemCount(); ++I) {
        auto* SubItem = dynamic_cast<TCustomdxBarSubItem*>(Manager.GetItem(I));
        const pc::TComponent* Component = Manager.GetItemComponent(I);
        if (!SubItem || Component->Name.empty()) continue;
        const std::string Section = Prefix + Component->Name;
        if (Store.SectionExists(Section))
            LoadLinks(Manager, Store, Section, SubItem->ItemLinks(), false);
    }
}

void SaveSubItems(TdxBarManager& Manager, TLayoutStore& Store, const std::string& Prefix) {
    for (int I = 0; I < Manager.GetItemCount(); ++I) {
        auto* SubItem = dynamic_cast<TCustomdxBarSubItem*>(Manager.GetItem(I));
        const pc::TComponent* Component = Manager.GetItemComponent(I);
        if (SubItem && !Component->Name.empty())
            SaveLinks(Manager, Store, Prefix + Component->Name, SubItem->ItemLinks(), false);
    }
}

// "\" in front, one trailing "\" off.
std::string RegistryKey(std::string Path) {
    if (Path.empty() || Path.front() != '\\') Path.insert(Path.begin(), '\\');
    if (Path.size() > 1 && Path.back() == '\\') Path.pop_back();
    return Path;
}

std::string IniPrefix(const TdxBarManager& Manager) {
    return Manager.Form()->Name + "." + Manager.Name + ".";
}

// Painting waits until the whole layout is in place.
class TLockedUpdate {
public:
    explicit TLockedUpdate(TdxBarManager& Manager)
        : FManager(Manager), FPrevious(Manager.LockUpdate()) {
        FManager.SetLockUpdate(true);
    }
    ~TLockedUpdate() { FManager.SetLockUpdate(FPrevious); }
    TLockedUpdate(const TLockedUpdate&) = delete;
    TLockedUpdate& operator=(const TLockedUpdate&) = delete;

private:
    TdxBarManager& FManager;
    bool FPrevious;
};

} // namespace

std::string GetComponentNamePath(const pc::TComponent* Component, const pc::TComponent* Form) {
    if (!Component) return {};
    std::string Path = Component->Name;
    for (const pc::TComponent* Owner = Component->Owner();
         Owner && Owner != Form && !Owner->Name.empty(); Owner = Owner->Owner())
        Path = Owner->Name + "." + Path;
    return Path;
}

namespace {

pc::TComponent* FindNested(pc::TComponent* Root, const std::string& Path) {
    pc::TComponent* Current = Root;
    std::size_t Start = 0;
    while (Current) {
        const std::size_t Dot = Path.find('.', Start);
        const std::string Name = Path.substr(Start, Dot == std::string::npos ? Dot : Dot - Start);
        pc::TComponent* Found = nullptr;
        for (int I = 0; I < Current->ComponentCount() && !Found; ++I)
            if (!Name.empty() && pc::SameText(Current->Components(I)->Name, Name))
                Found = Current->Components(I);
        if (Dot == std::string::npos) return Found;
        Current = Found;
        Start = Dot + 1;
    }
    return nullptr;
}

} // namespace

TdxBarDockControl* FindDockControlByPath(const TdxBarManager& Manager, const std::string& Path) {
    if (Path.empty()) return nullptr;
    pc::TComponent* Found = nullptr;
    if (const std::size_t Dot = Path.find('.'); Dot != std::string::npos) {
        const std::string FormName = Path.substr(0, Dot);
        for (int I = 0; I < pf::Screen().FormCount() && !Found; ++I)
            if (pc::SameText(pf::Screen().Forms(I)->Name, FormName))
                Found = FindNested(pf::Screen().Forms(I), Path.substr(Dot + 1));
    } else {
        Found = FindNested(Manager.Form(), Path);
    }
    if (!Found) return nullptr;
    TdxBarDockControl* Site = dxBarWindowServices().PlacedDockSiteOf(Found);
    if (!Site) throw pc::Exception("Invalid class typecast");
    return Site;
}

void TdxBarManager::SaveToRegistry(const std::string& ARegistryPath) {
    TRegistryStore Store;
    const std::string Key = RegistryKey(ARegistryPath);
    if (!Store.Reg.OpenKey(Key, true)) return;
    // Two levels: bars and sub-items, and their links.
    for (const std::string& Name : Store.Reg.GetKeyNames())
        Store.Reg.DeleteKey(Key + "\\" + Name);
    Store.Reg.CloseKey();
    SaveMain(*this, Store, Key);
    for (int I = 0; I < FBars->Count(); ++I)
        SaveBar(*this, Store, Key + "\\Bar" + std::to_string(I), *FBars->Items(I));
    SaveSubItems(*this, Store, Key + "\\SubItem_");
    Store.Reg.CloseKey();
    try {
        Store.Reg.Flush();
    } catch (const pc::Exception&) {
        // Registry write failures skip silently.
    }
}

void TdxBarManager::LoadFromRegistry(const std::string& ARegistryPath) {
    TRegistryStore Store;
    const std::string Key = RegistryKey(ARegistryPath);
    if (!Store.Reg.KeyExists(Key)) return;
    TLockedUpdate Lock(*this);
    LoadMain(*this, Store, Key);
    LoadBars(*this, Store, Key, Key + "\\Bar");
    LoadSubItems(*this, Store, Key + "\\SubItem_");
}

void TdxBarManager::SaveToIniFile(const std::string& AIniFileName) {
    if (AIniFileName.empty()) return;
    TIniStore Store(AIniFileName);
    const std::string Prefix = IniPrefix(*this);
    for (const std::string& Section : Store.Ini.ReadSections())
        if (Section.size() >= Prefix.size() &&
            pc::SameText(Section.substr(0, Prefix.size()), Prefix))
            Store.Ini.EraseSection(Section);
    SaveMain(*this, Store, Prefix + "Main");
    for (int I = 0; I < FBars->Count(); ++I)
        SaveBar(*this, Store, Prefix + "Bar" + std::to_string(I), *FBars->Items(I));
    SaveSubItems(*this, Store, Prefix + "SubItem_");
    Store.Ini.UpdateFile();
}

void TdxBarManager::LoadFromIniFile(const std::string& AIniFileName) {
    if (AIniFileName.empty()) return;
    TIniStore Store(AIniFileName);
    const std::string Prefix = IniPrefix(*this);
    TLockedUpdate Lock(*this);
    LoadMain(*this, Store, Prefix + "Main");
    LoadBars(*this, Store, Prefix + "Main", Prefix + "Bar");
    LoadSubItems(*this, Store, Prefix + "SubItem_");
}

} // namespace toolkit::bars
