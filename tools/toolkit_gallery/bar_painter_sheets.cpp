// The bar painters' sheets of toolkit-gallery: every registered bar painter draws its toolbar,
// button, menu and floating-bar operations in each state, one sheet per painter and scheme.

#include "tools/toolkit_gallery/bar_painter_sheets.h"

#include "toolkit/bars/dx_bar_painter.h"
#include "toolkit/bars/dx_bar_painter_classes.h"

#include "toolkit/base/office11.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/surface.h"

#include <iostream>

namespace gallery {

namespace pg = platform::gdi;
namespace tb = toolkit::bars;

namespace {

using TBarPainter = const tb::TdxBarItemControlPainter&;

void DrawBarSheet(TBarPainter P, const std::string& Path) {
    constexpr int Width = 420, Height = 300;
    const pg::HBITMAP Bitmap = pg::CreateBitmap(Width, Height, 1, 32, nullptr);
    const pg::HDC DC = pg::CreateCompatibleDC(pg::NullDC);
    const pg::HGDIOBJ Old = pg::SelectObject(DC, Bitmap);
    toolkit::base::FillRectByColor(DC, {0, 0, Width, Height}, pg::clBtnFace);

    // A toolbar docked at the top with its mark, one without, and a floating one.
    tb::TdxBarControlState Bar;
    Bar.BkBrush = P.GetBkBrush(Bar);
    P.DrawDockedBarBackground(Bar, DC, {4, 4, 204, 30});
    P.DrawBarBorder(Bar, DC, {4, 4, 204, 30});
    tb::TdxBarControlState NoMark = Bar;
    NoMark.Bar.ShowMark = false;
    NoMark.MarkState = 1;
    P.DrawDockedBarBackground(NoMark, DC, {210, 4, 410, 30});
    P.DrawBarBorder(NoMark, DC, {210, 4, 410, 30});
    P.DrawToolbarSeparator(Bar, DC, {100, 4, 106, 30}, false, Bar.BkBrush);
    tb::TdxBarControlState Floating = Bar;
    Floating.DockingStyle = tb::dsNone;
    P.DrawFloatingBarBorder(Floating, DC, {4, 230, 204, 290}, Bar.BkBrush);

    // Buttons: normal, hot, pressed, checked, checked and hot, an open menu item.
    struct State {
        bool Selected, Pressed, Down, Checked, OpensMenu;
    };
    const State States[] = {{false, false, false, false, false}, {true, false, false, false, false},
                            {true, true, false, false, false},   {false, false, true, true, false},
                            {true, false, true, true, false},    {false, false, true, false, true}};
    int Left = 4;
    for (const State& S : States) {
        tb::TdxBarItemControlState Item;
        Item.Parent = &Bar;
        Item.CheckStyle = Item.Checked = S.Checked;
        tb::TdxBarItemStates St;
        St.Selected = S.Selected;
        St.Pressed = S.Pressed;
        St.Down = S.Down;
        St.OpensMenu = S.OpensMenu;
        P.DrawGlyphFrame(Item, DC, St, {Left, 40, Left + 40, 62}, true, Bar.BkBrush);
        Left += 46;
    }

    // A menu window with its band and border, and its detach strip.
    tb::TdxBarControlState Menu;
    Menu.Kind = tb::bckSubMenu;
    Menu.Detachable = true;
    const pg::TRect MenuRect{4, 70, 204, 220};
    P.DrawSubMenuBackground(Menu, DC, MenuRect, P.GetSubMenuBrush(Menu));
    P.DrawSubMenuBorder(Menu, DC, P.GetSubMenuBrush(Menu), MenuRect);
    P.DrawDetachCaption(Menu, DC, {210, 70, 410, 100});

    pg::Surface& Pixels = *pg::BitmapSurface(Bitmap);
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X)
            Pixels.SetPixel(X, Y, Pixels.Pixel(X, Y) | 0xFF000000u);
    if (!Pixels.SavePng(Path)) std::cerr << "cannot write " << Path << '\n';
    pg::SelectObject(DC, Old);
    pg::DeleteDC(DC);
    pg::DeleteObject(Bitmap);
}

} // namespace

int DrawBarPainterSheets(const std::filesystem::path& Folder, const std::string& SchemeName) {
    int Written = 0;
    toolkit::base::dxOffice11InitColors();
    for (tb::TdxBarPainterClass P : tb::dxBarRegisteredPainters()) {
        const std::string Name =
            "bar-" + std::string(P->ClassType().ClassName()) + "-" + SchemeName + ".png";
        DrawBarSheet(*P, (Folder / Name).string());
        ++Written;
    }
    toolkit::base::dxOffice11ReleaseColors();
    return Written;
}

} // namespace gallery
