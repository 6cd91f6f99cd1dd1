// A form with a bar manager written to a form stream and read back into another form: the same
// manager comes back, every property of it, its bars, their links, its categories and its
// group, and once loaded its bars show where they stood.

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/model/dx_bar_backgrounds.h"
#include "toolkit/bars/model/dx_bar_combo.h"
#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/model/dx_bar_group.h"
#include "toolkit/bars/model/dx_bar_list_item.h"
#include "toolkit/bars/model/dx_bar_popup_menu_links.h"
#include "toolkit/bars/windows/dx_bar_dock_control.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"

#include "platform/core/streams.h"
#include "platform/forms/actions.h"
#include "platform/forms/img_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;

// A bitmap of W x H pixels of one colour.
void Paint(pf::TBitmap& Bitmap, int W, int H, pg::TColor Color) {
    Bitmap.SetSize(W, H);
    Bitmap.Canvas().Brush().SetColor(Color);
    Bitmap.Canvas().FillRect({0, 0, W, H});
}

std::vector<std::uint8_t> Written(const pc::TComponent& Root) {
    pc::TMemoryStream Stream;
    Stream.WriteComponent(Root);
    return Stream.Bytes();
}

class FormStreamTest : public MenuFormFixture {
protected:
    FormStreamTest() { pc::RegisterClass(pf::TImageList::ClassRef()); }
    ~FormStreamTest() override { pc::UnRegisterClass(pf::TImageList::ClassRef()); }

    // Every property of the manager, its bars and links away from its default.
    void Design() {
        Form->Name = "Editor";
        MakeOffice11MainMenu();
        Manager->Name = "Bars";
        Manager->Categories().Add("File");
        Manager->Categories().Add("Edit");
        TdxBarSubItem& File = Sub(Bar->ItemLinks(), "&File");
        File.Name = "FileMenu";
        File.SetCategory(1);
        MakeToolbar();
        Open = &Button(Tools->ItemLinks(), "&Open");
        Open->Name = "Open";
        Open->SetCategory(1);
        TdxBarButton& Save = Button(Tools->ItemLinks(), "&Save");
        Save.Name = "Save";
        Save.SetCategory(1);
        TdxBarButton& Print = Button(Tools->ItemLinks(), "&Print");
        Print.Name = "Print";
        Print.SetCategory(1);
        File.ItemLinks().Add(Open);
        File.ItemLinks().Add(&Save);
        auto& Cut = Form->Own<TdxBarButton>();
        Cut.Name = "Cut";
        Cut.SetCaption("Cu&t");
        Cut.SetCategory(2);

        TdxBarItemLink& SaveLink = *Tools->ItemLinks().Items(1);
        SaveLink.SetBeginGroup(true);
        SaveLink.SetUserCaption("&Keep");
        SaveLink.SetUserPaintStyle(psCaption);
        pf::TBitmap Glyph;
        Paint(Glyph, 2, 2, 0x0000FF);
        SaveLink.SetUserGlyph(Glyph);
        SaveLink.SetUserWidth(60);
        SaveLink.SetMostRecentlyUsed(false);
        Tools->ItemLinks().Items(2)->SetVisible(false);

        auto& Images = Form->Own<pf::TImageList>();
        Images.Name = "Images1";
        Manager->AllowCallFromAnotherForm = true;
        Manager->AllowReset = false;
        Manager->AlwaysMerge = true;
        Manager->AlwaysSaveText = true;
        Manager->SetDockColor(0x123456);
        Manager->SetAutoHideEmptyBars(true);
        Manager->SetScaled(false);
        Manager->Font().SetName("Arial");
        Manager->Font().SetHeight(-13);
        Manager->Font().SetStyle(pg::fsItalic);
        Paint(Manager->Backgrounds()->Bar(), 2, 2, 0x00FF00);
        Paint(Manager->Backgrounds()->SubMenu(), 3, 1, 0xFF0000);
        Manager->SetButtonArrowWidth(13);
        Manager->CanCustomize = false;
        Manager->SetCategoryVisible(2, false);
        Manager->SetCategoryItemsVisible(2, ivInCustomizing);
        Manager->SetFlatCloseButton(true);
        Paint(Manager->HelpButtonGlyph(), 1, 1, 0x808080);
        Manager->HelpContext = 12;
        Manager->SetHideFloatingBarsWhenInactive(false);
        Manager->SetHotImages(&Images);
        Manager->SetImageListBkColor(0x00FF00);
        Manager->SetImages(&Images);
        Manager->SetDisabledImages(&Images);
        Manager->SetDisabledLargeImages(&Images);
        Manager->IniFileName = "bars.ini";
        Manager->SetLargeImages(&Images);
        Manager->SetLargeButtonArrowWidth(15);
        Manager->SetLargeIcons(true);
        Manager->LookAndFeel().SetKind(toolkit::base::lfFlat);
        Manager->LookAndFeel().SetNativeStyle(true);
        Manager->SetMakeDisabledImagesFaded(true);
        Manager->SetMenuAnimations(maSlide);
        Manager->SetMenusShowRecentItemsFirst(false);
        Manager->SetMostRecentItemsPercents(80);
        Manager->SetNotDocking(dxDockingStyleBit(dsRight));
        Manager->PopupMenuLinks()->Add()->ProcessChildren = false;
        Manager->RegistryPath = "Software\\Quintaron";
        Manager->SetShowCloseButton(true);
        Manager->SetShowFullMenusAfterDelay(false);
        Manager->SetShowHelpButton(true);
        Manager->SetShowHint(false);
        Manager->ShowHintForDisabledItems = false;
        Manager->SetShowShortCutInHint(true);
        Manager->StretchGlyphs = false;
        Manager->SetSunkenBorder(true);
        Manager->UseF10ForMenu = false;
        Manager->UseFullReset = true;
        Manager->SetUseLargeImagesForLargeIcons(true);
        Manager->SetWaitForDockingTime(40);

        Tools->Name = "Tools1";
        Tools->SetAllowClose(false);
        Tools->AllowCustomizing = false;
        Tools->SetAllowQuickCustomizing(false);
        Tools->AllowReset = false;
        Tools->SetColor(0x00AA00);
        Tools->SetDockedLeft(5);
        Tools->SetDockedTop(6);
        Tools->DockedDockingStyle = dsLeft;
        Tools->SetFloatLeft(300);
        Tools->SetFloatTop(200);
        Tools->SetFloatClientWidth(120);
        Tools->SetFloatClientHeight(30);
        Tools->Font().SetName("Courier New");
        Tools->SetHidden(true);
        Tools->SetMultiLine(true);
        Tools->SetNotDocking(dxDockingStyleBit(dsLeft));
        Tools->OneOnRow = true;
        Tools->SetRotateWhenVertical(false);
        Tools->SetShowMark(false);
        Tools->SetSizeGrip(false);
        Tools->SetUseRecentItems(false);
        Tools->SetUseRestSpace(true);
        Paint(Tools->BackgroundBitmap(), 2, 2, 0x0000AA);
        Tools->SetAlphaBlendValue(200);

        Floating = Manager->Bars()->Add();
        Floating->SetCaption("Floating");
        Floating->SetBorderStyle(bbsNone);
        Floating->SetDockingStyle(dsNone);
        Floating->SetFloatLeft(400);
        Floating->SetFloatTop(300);
        Floating->SetWholeRow(true);
        Floating->ItemLinks().Add(&Cut);

        TdxBarGroup& Group = *Manager->AddGroup();
        Group.Add(Open);
        Group.Add(&Cut);
        Group.SetEnabled(false);
        ShowBars();
        Floating->SetVisible(true);
        testsupport::PumpUntilIdle();
    }

    TdxBarManager& ReadBack() {
        Copy = &FRoot->Own<pf::TForm>();
        Copy->SetBounds(0, 0, 640, 300);
        pc::TMemoryStream Stream(Written(*Form));
        Stream.ReadComponent(*Copy);
        for (int I = 0; I < Copy->ComponentCount(); ++I)
            if (auto* Read = dynamic_cast<TdxBarManager*>(Copy->Components(I))) return *Read;
        throw pc::Exception("no manager read");
    }

    TdxBarButton* Open = nullptr;
    TdxBar* Floating = nullptr;
    pf::TForm* Copy = nullptr;
};

TEST_F(FormStreamTest, AManagerReadBackIsTheManagerWritten) {
    Design();
    TdxBarManager& Read = ReadBack();
    EXPECT_FALSE(Read.IsLoading());
    EXPECT_EQ(Copy->Name, "Editor");
    EXPECT_EQ(Read.Name, "Bars");
    // Written again, the copy is the same stream: every property came back.
    // Written again once shown as the original is, the copy is the same stream: every
    // property came back.
    Copy->Show();
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Written(*Copy), Written(*Form));

    // What the loading applied: the bars, their links and docking, the group, the categories.
    ASSERT_EQ(Read.Bars()->Count(), 3);
    TdxBar& Menu = *Read.Bars()->Items(0);
    TdxBar& ReadTools = *Read.Bars()->Items(1);
    TdxBar& ReadFloating = *Read.Bars()->Items(2);
    EXPECT_EQ(Read.MainMenuBar(), &Menu);
    EXPECT_TRUE(Menu.Visible() && Menu.Control() != nullptr);
    EXPECT_TRUE(ReadTools.Predefined());
    EXPECT_EQ(ReadTools.DockingStyle(), dsTop);
    EXPECT_EQ(ReadTools.Row(), Tools->Row());
    EXPECT_EQ(ReadFloating.DockingStyle(), dsNone);
    ASSERT_NE(ReadFloating.Control(), nullptr);
    EXPECT_EQ(ReadFloating.Control()->BoundsRect().Left, Floating->Control()->BoundsRect().Left);
    EXPECT_EQ(ItemCaptions(ReadTools.ItemLinks()),
              (std::vector<std::string>{"&Open", "&Save", "&Print"}));
    EXPECT_EQ(ShownCaptions(ReadTools.ItemLinks()), (std::vector<std::string>{"&Open", "&Keep"}));
    auto* ReadFile = dynamic_cast<TdxBarSubItem*>(Menu.ItemLinks().Items(0)->Item());
    ASSERT_NE(ReadFile, nullptr);
    EXPECT_EQ(ItemCaptions(ReadFile->ItemLinks()), (std::vector<std::string>{"&Open", "&Save"}));
    ASSERT_EQ(Read.GetGroupCount(), 1);
    TdxBarGroup& Group = *Read.GetGroup(0);
    ASSERT_EQ(Group.Count(), 2);
    EXPECT_EQ(Group.Items(0)->Name, "Open");
    EXPECT_EQ(Group.Items(1)->Name, "Cut");
    EXPECT_FALSE(dynamic_cast<TdxBarItem*>(Group.Items(0))->Enabled());
    EXPECT_EQ(Read.GetCategoryItemsVisible(2), ivInCustomizing);
    EXPECT_FALSE(Read.GetCategoryVisible(2));
    ASSERT_NE(Read.Images(), nullptr);
    EXPECT_EQ(Read.Images()->Owner(), Copy);
}

// Every kind of item with each of its properties away from its default comes back: the action
// and the drop-down menu as the copy's own components of those names, the glyphs pixel for
// pixel, the links of a sub-item and of a container, the entries of a combo and of a list.
TEST_F(FormStreamTest, EveryItemKindComesBackWithEachOfItsProperties) {
    pc::RegisterClass(pf::TCustomAction::ClassRef());
    pc::RegisterClass(TdxBarPopupMenu::ClassRef());
    Form->Name = "Editor";
    MakeOffice11MainMenu();
    Manager->Name = "Bars";
    Manager->Categories().Add("Items");
    auto Named = []<class T>(T& Component, const char* Name) -> T& {
        Component.Name = Name;
        if constexpr (std::is_base_of_v<TdxBarItem, T>) Component.SetCategory(0);
        return Component;
    };
    auto& Send = Named(Form->Own<pf::TCustomAction>(), "actSend");
    auto& Popup = Named(Form->Own<TdxBarPopupMenu>(), "Popup");

    auto& B = Named(Form->Own<TdxBarButton>(), "btnSend");
    B.SetAction(&Send);
    B.SetButtonStyle(bsDropDown);
    B.SetDropDownMenu(&Popup);
    Paint(B.Glyph(), 2, 2, 0x0000FF);
    auto& S = Named(Form->Own<TdxBarSubItem>(), "subMore");
    Paint(S.Glyph(), 3, 1, 0x00FF00);
    S.ItemLinks().Add(&B);
    auto& E = Named(Form->Own<TdxBarEdit>(), "edName");
    E.SetText("Bank 1");
    Paint(E.Glyph(), 1, 2, 0xFF0000);
    E.SetImageIndex(3);
    E.SetMaxLength(12);
    E.ReadOnly = true;
    E.SetShowCaption(true);
    E.SetWidth(150);
    auto& C = Named(Form->Own<TdxBarCombo>(), "cbBank");
    C.ShowEditor = false;
    C.DropDownCount = 4;
    C.DropDownWidth = 90;
    C.ItemHeight = 18;
    for (const char* Entry : {"Cello", "Alto", "Bass"})
        C.Items().Add(Entry);
    C.SetSorted(true);
    C.SetText("Bass");
    auto& L = Named(Form->Own<TdxBarListItem>(), "lstRecent");
    for (const char* Entry : {"a.syx", "-", "b.syx"})
        L.Items().Add(Entry);
    L.ItemIndex = 2;
    L.ShowCheck = true;
    L.ShowNumbers = false;
    auto& K = Named(Form->Own<TdxBarContainerItem>(), "cntTools");
    K.ItemLinks().Add(&B);
    K.ItemLinks().Add(&E);
    ShowMainMenu();

    ReadBack();
    pc::UnRegisterClass(TdxBarPopupMenu::ClassRef());
    pc::UnRegisterClass(pf::TCustomAction::ClassRef());
    auto Find = [this](const std::string& Name) -> pc::TComponent* {
        for (int I = 0; I < Copy->ComponentCount(); ++I)
            if (Copy->Components(I)->Name == Name) return Copy->Components(I);
        return nullptr;
    };
    auto* ReadB = dynamic_cast<TdxBarButton*>(Find("btnSend"));
    auto* ReadS = dynamic_cast<TdxBarSubItem*>(Find("subMore"));
    auto* ReadE = dynamic_cast<TdxBarEdit*>(Find("edName"));
    auto* ReadC = dynamic_cast<TdxBarCombo*>(Find("cbBank"));
    auto* ReadL = dynamic_cast<TdxBarListItem*>(Find("lstRecent"));
    auto* ReadK = dynamic_cast<TdxBarContainerItem*>(Find("cntTools"));
    ASSERT_TRUE(ReadB && ReadS && ReadE && ReadC && ReadL && ReadK);

    EXPECT_EQ(ReadB->Action(), Find("actSend"));
    ASSERT_NE(ReadB->DropDownMenu(), nullptr);
    EXPECT_EQ(static_cast<pc::TComponent*>(ReadB->DropDownMenu()), Find("Popup"));
    EXPECT_EQ(ReadB->DropDownLinks(), &ReadB->DropDownMenu()->ItemLinks());
    auto SameGlyph = [](pf::TBitmap& Read, pf::TBitmap& Written) {
        ASSERT_EQ(Read.Width(), Written.Width());
        ASSERT_EQ(Read.Height(), Written.Height());
        for (int Y = 0; Y < Read.Height(); ++Y)
            for (int X = 0; X < Read.Width(); ++X)
                EXPECT_EQ(Read.Canvas().Pixel(X, Y), Written.Canvas().Pixel(X, Y));
    };
    SameGlyph(ReadB->Glyph(), B.Glyph());
    SameGlyph(ReadS->Glyph(), S.Glyph());
    SameGlyph(ReadE->Glyph(), E.Glyph());
    ASSERT_EQ(ReadS->ItemLinks().Count(), 1);
    EXPECT_EQ(ReadS->ItemLinks().Items(0)->Item(), ReadB);
    EXPECT_EQ(ReadE->Text(), "Bank 1");
    EXPECT_EQ(ReadE->ImageIndex(), 3);
    EXPECT_EQ(ReadE->MaxLength(), 12);
    EXPECT_TRUE(ReadE->ReadOnly);
    EXPECT_TRUE(ReadE->ShowCaption());
    EXPECT_EQ(ReadE->Width(), 150);
    EXPECT_FALSE(ReadC->ShowEditor);
    EXPECT_EQ(ReadC->DropDownCount, 4);
    EXPECT_EQ(ReadC->DropDownWidth, 90);
    EXPECT_EQ(ReadC->ItemHeight, 18);
    EXPECT_EQ(ReadC->Items().Text(), C.Items().Text());
    EXPECT_TRUE(ReadC->Sorted());
    EXPECT_EQ(ReadC->ItemIndex(), 1);
    EXPECT_EQ(ReadC->Text(), "Bass");
    EXPECT_EQ(ReadL->Items().Text(), L.Items().Text());
    EXPECT_EQ(ReadL->ItemIndex, 2);
    EXPECT_EQ(ReadL->DataIndex(), 1);
    EXPECT_TRUE(ReadL->ShowCheck);
    EXPECT_FALSE(ReadL->ShowNumbers);
    ASSERT_EQ(ReadK->ItemLinks().Count(), 2);
    EXPECT_EQ(ReadK->ItemLinks().Items(0)->Item(), ReadB);
    EXPECT_EQ(ReadK->ItemLinks().Items(1)->Item(), ReadE);

    // Written again, the copy is the same stream: nothing else was lost.
    Copy->Show();
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Written(*Copy), Written(*Form));
}

// Read before the manager, it notes the size of the manager's top dock site when the reading
// has ended: what the stream gave it before the bars laid themselves out.
class TSiteProbe : public pc::TComponent {
public:
    static const pc::TComponentClass& ClassRef() {
        static const pc::TComponentClass cls(
            "TSiteProbe", &pc::TComponent::ClassRef(),
            pc::ConstructorOf<TSiteProbe, pc::TComponent, pc::TComponent*>());
        return cls;
    }
    const pc::TClass& ClassType() const override { return ClassRef(); }
    explicit TSiteProbe(pc::TComponent* AOwner) : pc::TComponent(AOwner) {}
    int TopHeight = -1;

protected:
    void Loaded() override {
        for (int I = 0; I < Owner()->ComponentCount(); ++I)
            if (auto* Manager = dynamic_cast<TdxBarManager*>(Owner()->Components(I)))
                TopHeight = Manager->Bars()->DockControls(dsTop)->Height();
    }
};

TEST_F(FormStreamTest, TheDockSitesAreSizedFromTheStreamBeforeTheBarsLayOut) {
    pc::RegisterClass(TSiteProbe::ClassRef());
    Form->Own<TSiteProbe>().Name = "Probe";
    MakeOffice11MainMenu();
    Sub(Bar->ItemLinks(), "&File").Name = "FileMenu";
    ShowMainMenu();
    const int Top = Manager->Bars()->DockControls(dsTop)->Height();
    ASSERT_GT(Top, 0);
    ReadBack();
    pc::UnRegisterClass(TSiteProbe::ClassRef());
    auto* Probe = dynamic_cast<TSiteProbe*>(Copy->Components(0));
    ASSERT_NE(Probe, nullptr);
    EXPECT_EQ(Probe->TopHeight, Top);
}

} // namespace
} // namespace toolkit::bars
