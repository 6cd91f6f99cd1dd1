#include "toolkit/bars/model/dx_bar_unit.h"

#include "toolkit/bars/model/dx_bar_group.h"
#include "toolkit/bars/model/dx_bar_window_services.h"

#include "toolkit/bars/model/dx_bar_item.h"

#include "platform/core/message_loop.h"
#include "platform/core/string_list.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/font_engine.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/monitors.h"
#include "platform/win/painting.h"
#include "platform/win/play_sound.h"
#include "platform/win/window.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

// Dispatches the messages in [First, Last] waiting now, up to a WM_QUIT, which is posted again.
void ProcessWaiting(pc::UINT First, pc::UINT Last) {
    pc::MSG Msg;
    while (pc::PeekMessage(Msg, pc::NullHWnd, First, Last, pc::PM_REMOVE)) {
        if (Msg.message == pw::WM_QUIT) {
            pc::PostMessage(Msg.hwnd, Msg.message, Msg.wParam, Msg.lParam);
            return;
        }
        pc::DispatchMessage(Msg);
    }
}

TdxBarUnit*& InForce() {
    static TdxBarUnit* unit = nullptr;
    return unit;
}

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

} // namespace

TdxBarUnit::TdxBarUnit() : FPrevious(InForce()) {
    InForce() = this;
    FManagerList = std::make_unique<TdxBarManagerList>();
    RefreshDrawingResources();
    for (const pc::TClass* Class : dxBarUnitStreamedClasses())
        pc::RegisterClass(*Class);
    FItemClasses = std::make_unique<TdxBarItemClasses>();
    for (const TRegItemRecord& R : dxBarUnitItemClasses())
        FItemClasses->RegisterItemClass(R.ItemClass, R.ControlClass, R.Public);
    dxBarWindowServices().RegisterDragCursors();
}

TdxBarUnit::~TdxBarUnit() {
    const auto& Classes = dxBarUnitItemClasses();
    for (auto R = Classes.rbegin(); R != Classes.rend(); ++R)
        FItemClasses->UnregisterItemClass(R->ItemClass);
    FBarControls.clear();
    FItemClasses->Clear();
    FItemClasses.reset();
    if (FCheckerBrush != pg::HBRUSH{}) pg::DeleteObject(FCheckerBrush);
    FManagerList.reset();
    while (!FInternalItems.empty()) {
        std::unique_ptr<pc::TComponent> Item = std::move(FInternalItems.back());
        FInternalItems.pop_back();
        Item.reset();
    }
    for (const pc::TClass* Class : dxBarUnitStreamedClasses())
        pc::UnRegisterClass(*Class);
    if (InForce() == this) InForce() = FPrevious;
}

void TdxBarUnit::AddBarControl(TCustomdxBarControl* Control) {
    FBarControls.push_back(Control);
}

void TdxBarUnit::RemoveBarControl(TCustomdxBarControl* Control) {
    std::erase(FBarControls, Control);
}

bool TdxBarUnit::BarControlExists(const TCustomdxBarControl* Control) const {
    return Control &&
           std::find(FBarControls.begin(), FBarControls.end(), Control) != FBarControls.end();
}

bool TdxBarUnit::FreeInternalItem(pc::TComponent* Item) {
    auto Found = std::find_if(FInternalItems.begin(), FInternalItems.end(),
                              [&](const auto& Owned) { return Owned.get() == Item; });
    if (Found == FInternalItems.end()) return false;
    std::unique_ptr<pc::TComponent> Freed = std::move(*Found);
    FInternalItems.erase(Found);
    Freed.reset();
    return true;
}

void TdxBarUnit::RefreshDrawingResources() {
    const pg::HDC DC = pg::CreateSurfaceDC(pg::ScreenSurface());
    FScreenColorDepth = pg::GetDeviceCaps(DC, pg::BITSPIXEL);
    pg::DeleteDC(DC);

    const pg::COLORREF Face = pg::ColorToRGB(pg::clBtnFace);
    const pg::COLORREF Highlight = pg::ColorToRGB(pg::clBtnHighlight);
    std::array<std::uint32_t, 64> Bits{};
    for (int Y = 0; Y < 8; ++Y)
        for (int X = 0; X < 8; ++X) {
            const pg::COLORREF C = (X % 2) == (Y % 2) ? Face : Highlight;
            // 32-bit pixels as the platform stores them: blue in the low byte.
            Bits[static_cast<std::size_t>(Y * 8 + X)] = static_cast<std::uint32_t>(
                pg::GetBValue(C) | (pg::GetGValue(C) << 8) | (pg::GetRValue(C) << 16));
        }
    pg::HBITMAP Bitmap = pg::CreateBitmap(8, 8, 1, 32, Bits.data());
    if (FCheckerBrush != pg::HBRUSH{}) pg::DeleteObject(FCheckerBrush);
    FCheckerBrush = pg::CreatePatternBrush(Bitmap);
    pg::DeleteObject(Bitmap);
}

const std::vector<TRegItemRecord>& dxBarUnitItemClasses() {
    return dxBarWindowServices().UnitItemClasses();
}

const std::vector<const platform::core::TClass*>& dxBarUnitStreamedClasses() {
    static const std::vector<const platform::core::TClass*> classes{&TdxBarManager::ClassRef(),
                                                                    &TdxBarGroup::ClassRef()};
    return classes;
}

TdxBarUnit& dxBarUnit() {
    if (InForce()) return *InForce();
    static TdxBarUnit processUnit;
    return processUnit;
}

TdxBarManager* GetBarManagerByControl(const pc::TComponent* Control) {
    if (!Control) return nullptr;
    TdxBarManagerList& List = dxBarUnit().BarManagerList();
    for (int I = 0; I < List.GetCount(); ++I) {
        TdxBarManager* Manager = List.GetItem(I);
        if (!Manager->IsDestroying() && Manager->Form() == Control) return Manager;
    }
    return nullptr;
}

std::string GetUniqueItemName(const TdxBarManager* Manager, const pc::TClass& ItemClass) {
    const std::string Base = ItemClass.ClassName().substr(1);
    for (int N = 1;; ++N) {
        const std::string Name = Base + std::to_string(N);
        bool Taken = false;
        for (int I = 0; I < Manager->GetItemCount() && !Taken; ++I)
            Taken = SameText(Manager->GetItemComponent(I)->Name, Name);
        if (!Taken) return Name;
    }
}

std::string RemoveAccelChars(const std::string& Caption) {
    std::string Result;
    Result.reserve(Caption.size());
    for (std::size_t I = 0; I < Caption.size(); ++I) {
        if (Caption[I] == '&' && I + 1 < Caption.size()) {
            // The character after a deleted "&" stays, even when it is another "&".
            Result += Caption[++I];
            continue;
        }
        Result += Caption[I];
    }
    return Result;
}

void CheckMinEditWidth(int& Width) {
    if (Width < 20) Width = 20;
}

void DesignerModifiedIfAssigned(TdxBarManager* Manager) {
    if (Manager) Manager->DesignerModified();
}

void PlayBarSound(int Index) {
    static constexpr std::array<const char*, 3> Sounds{"MenuPopup", "MenuCommand", nullptr};
    if (Index < 0 || Index >= static_cast<int>(Sounds.size())) return;
    pw::PlaySound(Sounds[static_cast<std::size_t>(Index)],
                  pw::SND_ASYNC | pw::SND_NODEFAULT | pw::SND_NOWAIT | pw::SND_ALIAS);
}

// The platform's input already reports the primary button as VK_LBUTTON.
bool IsLeftMouseButtonPressed() {
    return pw::GetAsyncKeyState(pw::VK_LBUTTON) < 0;
}

bool IsRightMouseButtonPressed() {
    return pw::GetAsyncKeyState(pw::VK_RBUTTON) < 0;
}

pg::TRect GetMonitorWorkArea(pg::TPoint Point) {
    pw::MONITORINFO Info{};
    if (!pw::GetMonitorInfo(pw::MonitorFromPoint(Point, pw::MONITOR_DEFAULTTONEAREST), &Info))
        return {0, 0, 0x7FFF, 0x7FFF};
    return Info.rcWork;
}

pf::TWinControl* FindControlUp(pc::HWND Wnd) {
    for (; Wnd != pc::NullHWnd; Wnd = pw::GetParent(Wnd))
        if (pf::TWinControl* Control = pf::FindControl(Wnd)) return Control;
    return nullptr;
}

bool IsChildWindowOf(pc::HWND Wnd, pc::HWND Parent) {
    if (Parent == pc::NullHWnd) return false;
    for (pc::HWND P = pw::GetParent(Wnd); P != pc::NullHWnd; P = pw::GetParent(P))
        if (P == Parent) return true;
    return false;
}

pc::HWND GetWindowAtPoint(pg::TPoint ScreenPoint) {
    pc::HWND Result = pw::WindowFromPoint(ScreenPoint);
    while (Result != pc::NullHWnd) {
        pg::TPoint Client = ScreenPoint;
        pw::ScreenToClient(Result, &Client);
        const pc::HWND Child = pw::ChildWindowFromPointEx(Result, Client, pw::CWP_SKIPINVISIBLE);
        if (Child == pc::NullHWnd || Child == Result) break;
        Result = Child;
    }
    return Result;
}

void ProcessMouseMessages() {
    ProcessWaiting(pw::WM_MOUSEFIRST, pw::WM_MOUSELAST);
}

void ProcessPaintMessages() {
    ProcessWaiting(pw::WM_PAINT, pw::WM_PAINT);
}

void SetWindowAlpha(pc::HWND Wnd, int Alpha) {
    const auto ExStyle = static_cast<pw::DWORD>(pw::GetWindowLong(Wnd, pw::GWL_EXSTYLE));
    if (Alpha < 255) {
        if ((ExStyle & pw::WS_EX_LAYERED) == 0)
            pw::SetWindowLong(Wnd, pw::GWL_EXSTYLE, ExStyle | pw::WS_EX_LAYERED);
        pw::SetLayeredWindowAttributes(Wnd, 0, static_cast<std::uint8_t>(std::max(Alpha, 0)),
                                       pw::LWA_ALPHA);
        return;
    }
    if ((ExStyle & pw::WS_EX_LAYERED) == 0) return;
    pw::SetWindowLong(Wnd, pw::GWL_EXSTYLE, ExStyle & ~pw::WS_EX_LAYERED);
    pw::RedrawWindow(Wnd, nullptr, pg::HRGN{},
                     pw::RDW_INVALIDATE | pw::RDW_ERASE | pw::RDW_FRAME | pw::RDW_ALLCHILDREN);
}

pg::HFONT CopyFontHandle(pg::HFONT Font) {
    pg::LOGFONT Log;
    pg::GetObject(Font, sizeof(Log), &Log);
    return pg::CreateFontIndirect(Log);
}

void FreeUnusedInternalItems() {
    TdxBarUnit& Unit = dxBarUnit();
    // Freeing a sub-item frees its links and so may leave others unused: repeat until none.
    for (bool Freed = true; Freed;) {
        Freed = false;
        for (int I = Unit.InternalItemCount() - 1; I >= 0; --I) {
            auto* Item = dynamic_cast<TdxBarItem*>(Unit.InternalItem(I));
            if (Item && Item->LinkCount() == 0) {
                Unit.FreeInternalItem(Unit.InternalItem(I));
                Freed = true;
            }
        }
    }
}

void dxBarGetSystemMenuFont(pg::TFont& Font) {
    // The desktop's menu font is its default interface font.
    pg::LOGFONT Log;
    pg::GetObject(pg::GetStockObject(pg::DEFAULT_GUI_FONT), sizeof(Log), &Log);
    Font.SetName(Log.lfFaceName);
    Font.SetHeight(Log.lfHeight);
    Font.SetCharset(Log.lfCharSet);
    Font.SetStyle(Log.lfWeight >= pg::FW_BOLD ? pg::fsBold : 0);
}

} // namespace toolkit::bars
