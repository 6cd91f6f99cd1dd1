// The bar painters' sheets: every painter the registry names, every operation, in the states
// an item control, a bar window or a menu can be in. The painters read small state records, so
// the sheet fills those records, one per column, and a new painter shows up once registered.

#include "bar_painters.h"

#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_painter_classes.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/painters/dx_bar_painter.h"

#include "platform/core/message_loop.h"
#include "platform/forms/forms.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/draw_text.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/surface.h"

#include <algorithm>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace toolkit_gallery {

namespace {

namespace pg = platform::gdi;
namespace pc = platform::core;
namespace pf = platform::forms;
using namespace toolkit::bars;
using pg::TRect;
using TPainter = const TdxBarItemControlPainter&;

// One column: the item control's states, and the matching bar-window state (0 normal, 1 hot,
// 2 pressed).
struct TColumn {
    const char* Name;
    TdxBarItemStates States;
    bool Checked;
    int WindowState;
};

std::vector<TColumn> Columns() {
    std::vector<TColumn> Result;
    TdxBarItemStates S;
    Result.push_back({"normal", S, false, 0});
    S.Selected = true;
    Result.push_back({"selected", S, false, 1});
    S.Pressed = true;
    Result.push_back({"pressed", S, false, 2});
    S = {};
    S.Down = true;
    Result.push_back({"down", S, true, 0});
    S = {};
    S.Selected = S.DroppedDown = true;
    Result.push_back({"menu open", S, false, 2});
    S = {};
    S.Enabled = false;
    Result.push_back({"disabled", S, false, 0});
    return Result;
}

// What a cell draws with: the windows and the item control of its column, the states, the
// rectangle.
struct TScene {
    TdxBarControlState& Toolbar;
    TdxBarControlState& Menu;
    TdxBarItemControlState& Item;
    TdxBarItemControlState& MenuItem;
    const TColumn& Column;
    pg::HDC DC;
    TRect R;
};
using TCell = std::function<void(TPainter P, TScene& S)>;

struct TRow {
    std::string Name;
    TCell Cell;
    int Height = 30;
};

TdxBarItemStates In(const TScene& S, TdxBarPaintType Type) {
    TdxBarItemStates States = S.Column.States;
    States.PaintType = Type;
    return States;
}

std::vector<TRow> Rows() {
    std::vector<TRow> Rows;
    auto Add = [&Rows](std::string Name, TCell Cell, int Height = 30) {
        Rows.push_back({std::move(Name), std::move(Cell), Height});
    };
    Add("DrawBackground (opaque when selected)", [](TPainter P, TScene& S) {
        P.DrawBackground(S.Item, S.DC, S.R, P.GetHotBrush(S.Toolbar), S.Column.States.Selected);
    });
    Add("DrawBackgroundFrame", [](TPainter P, TScene& S) {
        P.DrawToolbarBackground(S.Toolbar, S.DC, S.R, P.GetToolbarBrush(S.Toolbar));
        P.DrawBackgroundFrame(S.Item, S.DC, S.R, P.GetHotBrush(S.Toolbar), true);
    });
    Add("DrawGlyph (toolbar)", [](TPainter P, TScene& S) {
        P.DrawToolbarBackground(S.Toolbar, S.DC, S.R, P.GetToolbarBrush(S.Toolbar));
        P.DrawGlyph(S.Item, {S.R.Left, S.R.Top, S.R.Left + 24, S.R.Top + 24}, In(S, ptHorz));
    });
    Add("DrawGlyphCell, no image (check)", [](TPainter P, TScene& S) {
        S.Item.CheckStyle = true;
        S.Item.Checked = S.Column.Checked || S.Column.States.Selected;
        P.DrawToolbarBackground(S.Toolbar, S.DC, S.R, P.GetToolbarBrush(S.Toolbar));
        P.DrawGlyphCell(S.Item, {S.R.Left, S.R.Top, S.R.Left + 22, S.R.Top + 22}, In(S, ptHorz), {},
                        true, true);
        S.Item.CheckStyle = S.Item.Checked = false;
    });
    Add("DrawCheckMark (scale 1, 2)", [](TPainter P, TScene& S) {
        const bool Enabled = S.Column.States.Enabled;
        P.DrawCheckMark(S.Item, S.DC, S.R.Left + 2, S.R.Top + 2, 1, Enabled);
        P.DrawCheckMark(S.Item, S.DC, S.R.Left + 16, S.R.Top + 2, 2, Enabled);
    });
    Add("DrawCaption", [](TPainter P, TScene& S) {
        P.DrawToolbarBackground(S.Toolbar, S.DC, S.R, P.GetToolbarBrush(S.Toolbar));
        P.DrawCaption(S.Item, S.DC, S.R, "&Open", S.Column.States.Selected, S.Column.States.Enabled,
                      S.Column.States.Selected, true, false, 0);
    });
    // The row draws the item's caption ("&Open") itself.
    Add("DrawMenuButton + caption", [](TPainter P, TScene& S) {
        P.DrawSubMenuBackground(S.Menu, S.DC, S.R, S.Menu.BkBrush);
        P.DrawMenuButton(S.MenuItem, S.DC, S.R, In(S, ptMenu));
    });
    Add("DrawGlyph (menu)", [](TPainter P, TScene& S) {
        P.DrawSubMenuBackground(S.Menu, S.DC, S.R, S.Menu.BkBrush);
        P.DrawGlyph(S.MenuItem, {S.R.Left, S.R.Top, S.R.Left + 24, S.R.Top + 24}, In(S, ptMenu));
    });
    Add("DrawDropDownButton (toolbar, menu)", [](TPainter P, TScene& S) {
        P.DrawToolbarBackground(S.Toolbar, S.DC, S.R, P.GetToolbarBrush(S.Toolbar));
        P.DrawDropDownButton(S.Item, S.DC, {S.R.Left + 2, S.R.Top, S.R.Left + 14, S.R.Bottom},
                             In(S, ptHorz), false);
        P.DrawDropDownButton(S.MenuItem, S.DC, {S.R.Left + 24, S.R.Top, S.R.Left + 40, S.R.Bottom},
                             In(S, ptMenu), true);
    });
    Add("DrawSubItem (toolbar)", [](TPainter P, TScene& S) {
        P.DrawToolbarBackground(S.Toolbar, S.DC, S.R, P.GetToolbarBrush(S.Toolbar));
        P.DrawSubItem(S.Item, S.DC, In(S, ptHorz), S.Column.States.Selected, S.R);
    });
    Add("DrawSubItem (menu)", [](TPainter P, TScene& S) {
        P.DrawSubMenuBackground(S.Menu, S.DC, S.R, S.Menu.BkBrush);
        P.DrawSubItem(S.MenuItem, S.DC, In(S, ptMenu), S.Column.States.Selected, S.R);
    });
    // The combo control hands over its button part (the frame and the combo-button width at
    // the right), as a combo item does.
    Add("DrawComboButton", [](TPainter P, TScene& S) {
        P.DrawToolbarBackground(S.Toolbar, S.DC, S.R, P.GetToolbarBrush(S.Toolbar));
        const int Width = P.GetComboButtonFrame() + S.Toolbar.ComboButtonWidth;
        const TRect Button{S.R.Right - 4 - Width, S.R.Top + 4, S.R.Right - 4, S.R.Bottom - 4};
        P.DrawComboButton(S.Item, S.DC, S.Column.States.Pressed, Button, In(S, ptHorz));
    });
    Add("DrawEditBorder, Caption, Content", [](TPainter P, TScene& S) {
        P.DrawToolbarBackground(S.Toolbar, S.DC, S.R, P.GetToolbarBrush(S.Toolbar));
        TRect R = S.R;
        P.DrawEditCaption(S.Item, S.DC, R, In(S, ptHorz));
        P.DrawEditBorder(S.Item, S.DC, R, S.Column.States.Selected);
        P.DrawEditContent(S.Item, S.DC, R);
    });
    Add("DrawEllipsisButton", [](TPainter P, TScene& S) {
        P.DrawToolbarBackground(S.Toolbar, S.DC, S.R, P.GetToolbarBrush(S.Toolbar));
        TRect R{S.R.Left + 4, S.R.Top + 2, S.R.Left + 25, S.R.Bottom - 2};
        P.DrawEllipsisButton(S.Item, S.DC, R, In(S, ptHorz));
    });
    Add("DrawSpinButton (upper, lower)", [](TPainter P, TScene& S) {
        P.DrawToolbarBackground(S.Toolbar, S.DC, S.R, P.GetToolbarBrush(S.Toolbar));
        TRect R{S.R.Left + 4, S.R.Top, S.R.Left + 20, S.R.Bottom};
        P.DrawSpinButtonsBorder(S.Item, S.DC, R);
        P.DrawSpinButton(S.Item, S.DC, R, 1, In(S, ptHorz), 3);
        P.DrawSpinButton(S.Item, S.DC, R, 2, In(S, ptHorz), 3);
    });
    Add("DrawArrowItem (right, down)", [](TPainter P, TScene& S) {
        const int Mid = (S.R.Top + S.R.Bottom) / 2;
        P.DrawArrowItem(S.Item, S.DC, {S.R.Left, S.R.Top, S.R.Right, Mid}, false,
                        S.Column.States.Selected);
        P.DrawArrowItem(S.Item, S.DC, {S.R.Left, Mid, S.R.Right, S.R.Bottom}, true,
                        S.Column.States.Selected);
    });
    Add("DrawPushButton", [](TPainter P, TScene& S) {
        TRect R = S.R;
        P.DrawPushButton(S.Item, S.DC, R, "OK", S.Column.States.Pressed);
    });
    Add("DrawProgressBar (solid, blocks)", [](TPainter P, TScene& S) {
        const int Position = S.Column.States.Enabled ? 60 : 0;
        const int Mid = (S.R.Top + S.R.Bottom) / 2;
        P.DrawProgressBar(S.Item, S.DC, {S.R.Left, S.R.Top, S.R.Right, Mid - 1}, 0, 100, Position,
                          false, true, P.GetProgressBarColor());
        P.DrawProgressBar(S.Item, S.DC, {S.R.Left, Mid + 1, S.R.Right, S.R.Bottom}, 0, 100,
                          Position, false, false, P.GetProgressBarColor());
    });
    Add("DrawQuickCustItemCheck", [](TPainter P, TScene& S) {
        P.DrawToolbarBackground(S.Toolbar, S.DC, S.R, P.GetQuickControlBrush(S.Toolbar));
        S.Item.Checked = S.Column.Checked || S.Column.States.Selected;
        TRect R = S.R;
        P.CalcQuickCustItemRect(S.Item, R);
        P.DrawQuickCustItemCheck(S.Item, S.DC, S.R, R);
        S.Item.Checked = false;
    });
    Add("DrawToolbarSeparator (along, across)", [](TPainter P, TScene& S) {
        const pg::HBRUSH B = P.GetToolbarBrush(S.Toolbar);
        P.DrawToolbarBackground(S.Toolbar, S.DC, S.R, B);
        const int W = P.GetToolbarSeparatorSize();
        P.DrawToolbarSeparator(S.Toolbar, S.DC,
                               {S.R.Left + 4, S.R.Top, S.R.Left + 4 + W, S.R.Bottom}, false, B);
        P.DrawToolbarSeparator(S.Toolbar, S.DC,
                               {S.R.Left + 20, S.R.Top + 4, S.R.Right, S.R.Top + 4 + W}, true, B);
    });
    Add("DrawBarBorder (docked)", [](TPainter P, TScene& S) {
        P.FillBarBackground(S.Toolbar, S.DC, S.R, P.GetToolbarBrush(S.Toolbar));
        P.DrawBarBorder(S.Toolbar, S.DC, S.R);
    });
    Add("DrawDockedMark", [](TPainter P, TScene& S) {
        P.FillBarBackground(S.Toolbar, S.DC, S.R, P.GetToolbarBrush(S.Toolbar));
        P.DrawDockedMark(S.Toolbar, S.DC, P.GetToolbarBrush(S.Toolbar),
                         {S.R.Right - 12, S.R.Top, S.R.Right, S.R.Bottom});
    });
    Add("DrawFloatingBarBorder", [](TPainter P, TScene& S) {
        P.FillBarBackground(S.Toolbar, S.DC, S.R, P.GetToolbarBrush(S.Toolbar));
        P.DrawFloatingBarBorder(S.Toolbar, S.DC, S.R, P.GetBkBrush(S.Toolbar));
    });
    Add(
        "DrawFloatingCaption, close, mark",
        [](TPainter P, TScene& S) {
            const TRect Caption{S.R.Left, S.R.Top, S.R.Right, S.R.Top + P.GetSmallCaptionHeight()};
            S.Toolbar.OnDrawCloseButton = [&P, &S](pg::HDC DC, const TRect& R) {
                P.DrawCloseButton(S.Toolbar, DC, R, S.Column.WindowState);
            };
            P.DrawFloatingCaption(S.Toolbar, S.DC, Caption, P.GetBkBrush(S.Toolbar));
            S.Toolbar.OnDrawCloseButton = nullptr;
            P.DrawFloatingMark(S.Toolbar, S.DC,
                               {S.R.Left, Caption.Bottom + 1, S.R.Left + 14, S.R.Bottom});
        },
        40);
    Add("DrawCloseButtonBackground", [](TPainter P, TScene& S) {
        P.DrawCloseButtonBackground(S.Toolbar, S.DC,
                                    {S.R.Left, S.R.Top, S.R.Left + 16, S.R.Top + 16},
                                    S.Column.WindowState);
    });
    Add("DrawMDIButton (min, restore, close)", [](TPainter P, TScene& S) {
        for (int Kind = 0; Kind < 3; ++Kind)
            P.DrawMDIButton(
                S.Toolbar, Kind, S.DC,
                {S.R.Left + Kind * 18, S.R.Top, S.R.Left + Kind * 18 + 16, S.R.Top + 14},
                S.Column.WindowState);
    });
    Add("DrawSizeGripArea, status strip", [](TPainter P, TScene& S) {
        P.DrawStatusBarBorder(S.Toolbar, S.DC, {S.R.Left, S.R.Top, S.R.Left + 20, S.R.Bottom});
        P.DrawSizeGripArea(S.Toolbar, S.DC, {S.R.Right - 20, S.R.Top, S.R.Right, S.R.Bottom});
    });
    Add(
        "DrawSubMenuBorder, DetachCaption",
        [](TPainter P, TScene& S) {
            S.Menu.Detachable = true;
            S.Menu.DetachSelected = S.Column.States.Selected;
            const int Strip = P.GetDetachCaptionAreaSize(S.Menu);
            P.DrawSubMenuBackground(S.Menu, S.DC, S.R, S.Menu.BkBrush);
            P.DrawDetachCaption(S.Menu, S.DC, {S.R.Left, S.R.Top, S.R.Right, S.R.Top + Strip});
            P.DrawSubMenuBorder(S.Menu, S.DC, P.GetSubMenuBrush(S.Menu),
                                {S.R.Left, S.R.Top + Strip, S.R.Right, S.R.Bottom});
            S.Menu.Detachable = S.Menu.DetachSelected = false;
        },
        40);
    Add(
        "DrawSubMenuParts (scroll, chevron)",
        [](TPainter P, TScene& S) {
            // A menu's client area starts at its origin: the cell is drawn as one, the scroll
            // areas at its top and bottom, the space after the last row and the expand row.
            pg::TPoint Old{};
            pg::SetViewportOrgEx(S.DC, S.R.Left, S.R.Top, &Old);
            const int W = S.R.Right - S.R.Left, H = S.R.Bottom - S.R.Top;
            const TdxBarControlState Saved = S.Menu;
            S.Menu.ClientRect = {0, 0, W, H};
            S.Menu.CanScrollUp = S.Menu.CanScrollDown = true;
            S.Menu.ChevronOffered = true;
            S.Menu.ChevronHighlighted = S.Column.States.Selected;
            S.Menu.ChevronHeight = 12;
            S.Menu.RowSize = 12;
            S.Menu.ScrollUpRect = {1, 1, W - 1, 9};
            S.Menu.FirstVisibleRect = S.Menu.ScrollUpRect;
            S.Menu.ScrollDownRect = {1, 9, W - 1, 17};
            S.Menu.AfterLastRect = {1, 17, W - 1, H};
            P.DrawSubMenuParts(S.Menu, S.DC);
            S.Menu = Saved;
            pg::SetViewportOrgEx(S.DC, Old.X, Old.Y, nullptr);
        },
        48);
    Add(
        "DrawSubMenuSeparator",
        [](TPainter P, TScene& S) {
            S.MenuItem.NonRecent = !S.Column.States.Enabled;
            P.DrawSubMenuSeparator(S.Menu, S.DC, S.R, S.MenuItem);
            S.MenuItem.NonRecent = false;
        },
        14);
    Add("DrawNonRecentBand",
        [](TPainter P, TScene& S) { P.DrawNonRecentBand(S.Menu, S.DC, 0, S.R); });
    Add("DrawCaptionedFrame",
        [](TPainter P, TScene& S) { P.DrawCaptionedFrame(S.DC, S.R, "Frame", true); });
    return Rows;
}

constexpr int LabelWidth = 290;
constexpr int CellWidth = 70;
constexpr int Margin = 4;

void DrawSheet(TPainter P, pg::TCanvas& Canvas, TdxBarManager& Manager, TdxBarButton& Button,
               int Width, int Height, const std::string& Title) {
    const pg::HDC DC = Canvas.Handle();
    const TRect All{0, 0, Width, Height};
    pg::FillRect(DC, &All, pg::GetSysColorBrush(pg::COLOR_BTNFACE));
    pg::SetBkMode(DC, pg::TRANSPARENT);
    pg::SetTextColor(DC, pg::GetSysColor(pg::COLOR_BTNTEXT));
    TRect T{Margin, 2, Width, 22};
    pg::DrawText(DC, Title.data(), static_cast<int>(Title.size()), &T,
                 pg::DT_SINGLELINE | pg::DT_VCENTER | pg::DT_NOPREFIX);
    const std::vector<TColumn> Cols = Columns();
    for (std::size_t I = 0; I < Cols.size(); ++I) {
        TRect H{LabelWidth + static_cast<int>(I) * CellWidth, 22,
                LabelWidth + static_cast<int>(I + 1) * CellWidth, 40};
        pg::DrawText(DC, Cols[I].Name, -1, &H, pg::DT_SINGLELINE | pg::DT_CENTER | pg::DT_VCENTER);
    }
    int Top = 40;
    for (const TRow& Row : Rows()) {
        TRect L{Margin, Top, LabelWidth - Margin, Top + Row.Height};
        pg::SetBkMode(DC, pg::TRANSPARENT);
        pg::SetTextColor(DC, pg::GetSysColor(pg::COLOR_BTNTEXT));
        pg::DrawText(DC, Row.Name.data(), static_cast<int>(Row.Name.size()), &L,
                     pg::DT_SINGLELINE | pg::DT_VCENTER | pg::DT_NOPREFIX);
        for (std::size_t I = 0; I < Cols.size(); ++I) {
            const int Left = LabelWidth + static_cast<int>(I) * CellWidth;
            const TRect R{Left + 2, Top + 2, Left + CellWidth - 2, Top + Row.Height - 2};
            // Each column gets fresh windows, so that no cell leaves a setting behind.
            TdxBarControlState Toolbar, Menu;
            Toolbar.Manager = Menu.Manager = &Manager;
            Toolbar.Canvas = Menu.Canvas = &Canvas;
            Toolbar.BkBrush = P.GetToolbarBrush(Toolbar);
            Toolbar.Bar.Caption = "Tools";
            Toolbar.Active = true;
            Toolbar.MarkState = Cols[I].WindowState;
            Toolbar.LinksCutOff = true;
            Toolbar.CaptionShowsMark = false;
            Toolbar.ClientRect = R;
            Menu.Kind = bckSubMenu;
            Menu.BkBrush = P.GetSubMenuBrush(Menu);
            Menu.NonRecentBrush = P.GetBkBrush(Menu);
            TdxBarItemControlState Item, MenuItem;
            Item.Parent = &Toolbar;
            MenuItem.Parent = &Menu;
            Item.Item = MenuItem.Item = &Button;
            Item.Text = MenuItem.Text = "text";
            Button.SetEnabled(Cols[I].States.Enabled);
            TScene Scene{Toolbar, Menu, Item, MenuItem, Cols[I], DC, R};
            const int Saved = pg::SaveDC(DC);
            pg::IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
            Row.Cell(P, Scene);
            pg::RestoreDC(DC, Saved);
        }
        Top += Row.Height;
    }
}

} // namespace

int DrawBarPainterSheets(const std::filesystem::path& Folder, const std::string& SchemeName) {
    TdxBarUnit Unit;
    auto Root = std::make_unique<pc::TComponent>(nullptr);
    auto& Form = Root->Own<pf::TForm>();
    TdxBarManager& Manager = Form.Own<TdxBarManager>();
    Manager.RefreshColors();
    TdxBarButton& Button = Form.Own<TdxBarButton>();
    Button.SetCaption("&Open");
    {
        pf::TBitmap Glyph;
        Glyph.SetSize(16, 16);
        Glyph.Canvas().Brush().SetColor(0xFF00FF);
        Glyph.Canvas().FillRect({0, 0, 16, 16});
        Glyph.Canvas().Brush().SetColor(pg::RGB(0, 96, 192));
        Glyph.Canvas().FillRect({2, 3, 14, 13});
        Glyph.Canvas().Brush().SetColor(pg::RGB(240, 200, 40));
        Glyph.Canvas().FillRect({5, 6, 11, 10});
        Button.SetGlyph(Glyph);
    }
    const std::vector<TRow> All = Rows();
    int Height = 44;
    for (const TRow& Row : All)
        Height += Row.Height;
    const int Width = LabelWidth + static_cast<int>(Columns().size()) * CellWidth + Margin;
    int Written = 0;
    for (TdxBarPainterClass P : dxBarRegisteredPainters()) {
        const std::string Name = P->ClassType().ClassName() + "-" + SchemeName;
        const pg::HBITMAP Bitmap = pg::CreateBitmap(Width, Height, 1, 32, nullptr);
        const pg::HDC DC = pg::CreateCompatibleDC(pg::NullDC);
        const pg::HGDIOBJ Old = pg::SelectObject(DC, Bitmap);
        {
            pg::TCanvas Canvas;
            Canvas.SetHandle(DC);
            DrawSheet(*P, Canvas, Manager, Button, Width, Height, Name);
            Canvas.SetHandle(pg::NullDC);
        }
        pg::Surface& Pixels = *pg::BitmapSurface(Bitmap);
        for (int Y = 0; Y < Height; ++Y)
            for (int X = 0; X < Width; ++X)
                Pixels.SetPixel(X, Y, Pixels.Pixel(X, Y) | 0xFF000000u);
        const std::string Path = (Folder / (Name + ".png")).string();
        if (Pixels.SavePng(Path))
            ++Written;
        else
            std::cerr << "cannot write " << Path << '\n';
        pg::SelectObject(DC, Old);
        pg::DeleteDC(DC);
        pg::DeleteObject(Bitmap);
    }
    Root.reset();
    pc::ProcessMessages();
    return Written;
}

} // namespace toolkit_gallery
