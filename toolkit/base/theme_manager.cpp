#include "toolkit/base/theme_manager.h"

#include "platform/core/message_loop.h"
#include "platform/core/text.h"

#include <algorithm>
#include <array>
#include <cwctype>
#include <exception>
#include <vector>

namespace toolkit::base {

namespace pg = platform::gdi;
using platform::core::TMessage;

namespace {

const std::array<std::wstring, dxThemeClassKindCount> DefaultClassNames{
    L"Button",   L"Clock",    L"ComboBox",   L"Edit",     L"ExplorerBar",
    L"Header",   L"ListBox",  L"ListView",   L"Menu",     L"Page",
    L"Progress", L"Rebar",    L"ScrollBar",  L"Spin",     L"StartPanel",
    L"Status",   L"Tab",      L"TaskBand",   L"TaskBar",  L"ToolBar",
    L"ToolTip",  L"TrackBar", L"TrayNotify", L"TreeView", L"Window"};

struct TThemeEntry {
    HTHEME Handle = NullTheme;
    std::wstring ClassName;
};

// The unit: the theme table, the active flag, the receiver and the notificator list, from the
// first use to the end of the process.
struct TThemeManagerUnit {
    TThemeManagerUnit() {
        if (!IsThemeLibraryLoaded()) return;
        Active = IsThemeActive() != 0;
        Receiver = std::make_unique<TdxThemeChangedEventReceiver>();
        Notificators = std::make_unique<std::vector<TdxThemeChangedNotificator*>>();
    }
    // Works on its own fields only: the unit is on its way out.
    ~TThemeManagerUnit() {
        if (!IsThemeLibraryLoaded()) return;
        Active = false;
        Receiver.reset();
        for (TThemeEntry& Entry : Table)
            if (Entry.Handle != NullTheme) CloseThemeData(Entry.Handle);
        Notificators.reset();
    }
    TThemeManagerUnit(const TThemeManagerUnit&) = delete;
    TThemeManagerUnit& operator=(const TThemeManagerUnit&) = delete;

    std::array<TThemeEntry, dxThemeClassKindCount> Table;
    bool Active = false;
    std::unique_ptr<TdxThemeChangedEventReceiver> Receiver;
    std::unique_ptr<std::vector<TdxThemeChangedNotificator*>> Notificators;
};

TThemeManagerUnit& Unit() {
    static TThemeManagerUnit TheUnit;
    return TheUnit;
}

std::wstring UpperCase(const std::wstring& S) {
    std::wstring Result = S;
    std::transform(Result.begin(), Result.end(), Result.begin(),
                   [](wchar_t C) { return static_cast<wchar_t>(std::towupper(C)); });
    return Result;
}

void BroadcastThemeChanged() {
    auto* List = Unit().Notificators.get();
    if (!List) return;
    // A listener may free notificators, its own included: walk by index and re-check.
    for (std::size_t I = 0; I < List->size(); ++I) {
        TdxThemeChangedNotificator* Notificator = (*List)[I];
        if (!Notificator->OnThemeChanged) continue;
        try {
            Notificator->OnThemeChanged();
        } catch (...) {
            platform::core::HandleException(std::current_exception());
            return;
        }
    }
}

} // namespace

const std::wstring& dxThemeClassName(TdxThemeClassKind Kind) {
    return DefaultClassNames.at(static_cast<std::size_t>(Kind));
}

bool dxThemeActive() {
    return Unit().Active;
}

HTHEME OpenTheme(TdxThemeClassKind Kind, const std::wstring& ClassName) {
    if (!AreVisualStylesAvailable()) return NullTheme;
    TThemeEntry& Entry = Unit().Table.at(static_cast<std::size_t>(Kind));
    if (Entry.Handle != NullTheme) {
        if (ClassName.empty() || UpperCase(ClassName) == UpperCase(Entry.ClassName))
            return Entry.Handle;
        CloseTheme(Kind);
    }
    std::wstring Name = ClassName;
    if (Name.empty()) Name = Entry.ClassName.empty() ? dxThemeClassName(Kind) : Entry.ClassName;
    Entry.Handle = OpenThemeData(platform::core::NullHWnd, Name.c_str());
    if (Entry.Handle != NullTheme)
        Entry.ClassName = Name;
    else
        Entry.ClassName.clear();
    return Entry.Handle;
}

HRESULT CloseTheme(TdxThemeClassKind Kind) {
    if (!IsThemeLibraryLoaded()) return 1;
    TThemeEntry& Entry = Unit().Table.at(static_cast<std::size_t>(Kind));
    if (Entry.Handle == NullTheme) return 0;
    const HRESULT Result = CloseThemeData(Entry.Handle);
    Entry.Handle = NullTheme;
    return Result;
}

void CloseAllThemes() {
    for (int Kind = 0; Kind < dxThemeClassKindCount; ++Kind)
        CloseTheme(static_cast<TdxThemeClassKind>(Kind));
}

bool IsThemePartAvailable(TdxThemeClassKind Kind) {
    return dxThemeActive() && IsThemeLibraryLoaded() && OpenTheme(Kind) != NullTheme;
}

bool AreVisualStylesAvailable(TdxThemeClassKinds Kinds) {
    if (!dxThemeActive() || !IsThemeLibraryLoaded()) return false;
    for (int Kind = 0; Kind < dxThemeClassKindCount; ++Kind)
        if ((Kinds & (1u << Kind)) && OpenTheme(static_cast<TdxThemeClassKind>(Kind)) == NullTheme)
            return false;
    return true;
}

TdxThemeChangedNotificator::TdxThemeChangedNotificator() {
    if (auto* List = Unit().Notificators.get()) List->push_back(this);
}

TdxThemeChangedNotificator::~TdxThemeChangedNotificator() {
    if (auto* List = Unit().Notificators.get()) std::erase(*List, this);
}

TdxThemeChangedEventReceiver::TdxThemeChangedEventReceiver()
    : FWindow([this](TMessage& Message) { WndProc(Message); }) {}

void TdxThemeChangedEventReceiver::WndProc(TMessage& Message) {
    Message.Result = 0;
    if (Message.Msg != pg::WM_THEMECHANGED) return;
    CloseAllThemes();
    Unit().Active = IsThemeActive() != 0;
    BroadcastThemeChanged();
}

TdxThemeChangedEventReceiver* dxThemeChangedEventReceiver() {
    return Unit().Receiver.get();
}

} // namespace toolkit::base
