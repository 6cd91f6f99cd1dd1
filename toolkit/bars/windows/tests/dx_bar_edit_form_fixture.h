#pragma once
// A toolbar docked on top holding an edit item "Name" (text "start") and a combo item "Kind"
// with the entries alpha, beta and gamma (alpha chosen), on the menu tests' form. A test may
// change the items before it calls Show; the helpers click, type and read what the screen shows.

#include "toolkit/bars/model/dx_bar_combo.h"
#include "toolkit/bars/model/dx_bar_drop_down_list_box.h"
#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/windows/dx_bar_edit_control.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "platform/gdi/colors.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <QString>

#include <string>
#include <vector>

namespace toolkit::bars {

class EditFormFixture : public MenuFormFixture {
protected:
    EditFormFixture() {
        Manager = &Form->Own<TdxBarManager>();
        Bar = Manager->Bars()->Add();
        Bar->SetCaption("Tools");
        Bar->SetDockingStyle(dsTop);
        Edit = &Form->Own<TdxBarEdit>();
        Edit->SetCaption("Name");
        Edit->SetText("start");
        Bar->ItemLinks().Add(Edit);
        Combo = &Form->Own<TdxBarCombo>();
        Combo->SetCaption("Kind");
        SetEntries({"alpha", "beta", "gamma"});
        Combo->SetItemIndex(0);
        Bar->ItemLinks().Add(Combo);
    }

    void Show() { ShowMainMenu(); }
    void SetEntries(const std::vector<std::string>& Entries) {
        Combo->Items().Clear();
        for (const std::string& E : Entries)
            Combo->Items().Add(E);
    }

    TdxBarEditControl& EditControl() { return Control<TdxBarEditControl>(0); }
    TdxBarComboControl& ComboControl() { return Control<TdxBarComboControl>(1); }
    template <class T> T& Control(int Index) {
        auto* C = dynamic_cast<T*>(Bar->ItemLinks().VisibleItems(Index)->Control());
        EXPECT_NE(C, nullptr);
        return *C;
    }
    TdxBarDropDownListBox& List() { return Combo->DropDownList(); }
    bool ListShown() {
        return List().HandleAllocated() && platform::win::IsWindowVisible(List().Handle());
    }
    platform::gdi::TPoint Centre(int Index) { return CentreOf(Bar->ItemLinks(), Index); }
    // The link's rectangle on the screen.
    platform::gdi::TRect ScreenRect(int Index) {
        const platform::gdi::TRect R = Bar->ItemLinks().VisibleItems(Index)->ItemRect;
        const platform::gdi::TPoint TopLeft = BarWindow().ClientToScreen({R.Left, R.Top});
        return {TopLeft.X, TopLeft.Y, TopLeft.X + R.Width(), TopLeft.Y + R.Height()};
    }
    void Type(const std::string& Text) {
        for (char C : Text)
            Input.Key(Qt::Key_unknown, QString(QChar(C)));
        testsupport::PumpUntilIdle();
    }
    // Clicks into the edit part of link Index and types Text over the selected text.
    void TypeInto(int Index, const std::string& Text) {
        Input.Click(Centre(Index));
        testsupport::PumpUntilIdle();
        Type(Text);
    }
    // A press and release on the combo's drop-down button.
    void ClickComboButton() {
        const platform::gdi::TRect Item = Bar->ItemLinks().VisibleItems(1)->ItemRect;
        const platform::gdi::TRect Button = ComboControl().ButtonPart(Item);
        Input.Click(BarWindow().ClientToScreen(
            {(Button.Left + Button.Right) / 2, (Button.Top + Button.Bottom) / 2}));
        testsupport::PumpUntilIdle();
    }
    // A pixel of the list window, in its window coordinates (its border included).
    platform::gdi::COLORREF ListPixel(int X, int Y) {
        const auto Surface = platform::win::WindowSurface(List().Handle());
        return platform::gdi::PixelToColor(Surface->Pixel(X, Y) & 0xFFFFFF);
    }
    // A pixel of the list's row Index, a little in from its right end (client coordinates).
    platform::gdi::COLORREF RowPixel(int Index) {
        const platform::gdi::TRect Row = List().ItemRect(Index);
        const platform::gdi::TPoint Client = List().ClientToScreen({0, 0});
        const platform::gdi::TRect Window = List().BoundsRect();
        return ListPixel(Row.Right - 3 + Client.X - Window.Left,
                         (Row.Top + Row.Bottom) / 2 + Client.Y - Window.Top);
    }
    static bool Lit(platform::gdi::COLORREF C) {
        return C == platform::gdi::ColorToRGB(platform::gdi::clHighlight);
    }

    TdxBarEdit* Edit = nullptr;
    TdxBarCombo* Combo = nullptr;
};

} // namespace toolkit::bars
