// The element edit dialog: what it offers for each kind of element and where it lies, how the
// memory buttons show and hide the position, what OK stores and marks, and that Cancel keeps
// the element; opened from the library window's popup as the user opens it.

#include "app/form_edit.h"

#include "app/form_bank.h"
#include "app/form_library.h"
#include "app/tests/main_window_fixture.h"
#include "model/elements/bank.h"
#include "model/elements/element_factory.h"
#include "model/elements/global.h"
#include "model/elements/library.h"
#include "testsupport/win/input_driver.h"

#include <functional>
#include <string>
#include <vector>

namespace pw = platform::win;

namespace app::test {

namespace {

class FormEditTest : public AppTest {
protected:
    FormEditTest() { library.Saved = true; }

    model::TLibElem& Add(std::int16_t type, const char* name) {
        model::TLibElem& elem = library.Add(model::CreateElemByType(type, &library));
        elem.SetName(name, false);
        library.Saved = true;
        return elem;
    }
    // Shows the dialog on elem; what the user does runs once it stands, one step every 10 ms.
    forms::TModalResult Show(model::TLibElem& elem, std::vector<std::function<void()>> steps) {
        dialog.Element = &elem;
        platform::core::Millis at = 100;
        for (auto& step : steps) {
            After(at, std::move(step));
            at += 10;
        }
        return dialog.ShowModal();
    }
    // Clears the name box, which has the focus as the dialog shows, with the keys and types
    // name. (Keys go where the focus is when they are given: a click first would be a step of
    // its own.)
    void TypeName(const std::string& name) {
        driver.TypeKey(pw::VK_END);
        for (int i = 0; i < 12; ++i)
            driver.TypeKey(pw::VK_BACK, "\b");
        for (char c : name)
            driver.TypeKey('A', QString(QChar(c)));
    }

    model::TLibrary library;
    TFormEdit& dialog = MakeForm<TFormEdit>();
};

// What the dialog shows for one element.
struct TOffer {
    bool position;
    bool user;
    bool card;
    bool temp;
    const char* checked; // the radio button checked
    int maxPosition;     // checked where the position shows
    int shownNumber;
};

struct TOfferCase {
    const char* name;
    bool dataCard;
    std::function<model::TLibElem&(model::TLibrary&)> element;
    std::string labelName;
    TOffer offer;
};

model::TLibElem& InLibrary(model::TLibrary& library, std::int16_t type, bool temporary, bool memory,
                           int number) {
    model::TLibElem& elem = library.Add(model::CreateElemByType(type, &library));
    elem.Temporary = temporary;
    elem.Memory = memory;
    elem.Number = static_cast<std::int16_t>(number);
    return elem;
}

model::TGlobal& AGlobal(model::TLibrary& library) {
    return dynamic_cast<model::TGlobal&>(
        library.Add(model::CreateElemByType(model::etGlobal, &library)));
}

TEST_F(FormEditTest, OffersWhatTheElementAndItsPlaceAllow) {
    const std::vector<TOfferCase> cases = {
        {"patch in a bank",
         true,
         [](model::TLibrary& l) -> model::TLibElem& {
             return dynamic_cast<model::TPatchBank&>(
                        l.Add(model::CreateElemByType(model::etPatchBank, &l)))
                 .Elem(4);
         },
         "Patch Name",
         {false, false, false, false, "", 0, 0}},
        {"bank in a global set",
         true,
         [](model::TLibrary& l) -> model::TLibElem& { return AGlobal(l).UserPatchBank(); },
         "Patch Bank Name",
         {false, false, false, false, "", 0, 0}},
        {"patch bank without a data card",
         false,
         [](model::TLibrary& l) -> model::TLibElem& {
             return InLibrary(l, model::etPatchBank, false, true, 1);
         },
         "Patch Bank Name",
         {false, true, false, false, "User", 0, 0}},
        {"patch bank with a data card",
         true,
         [](model::TLibrary& l) -> model::TLibElem& {
             return InLibrary(l, model::etPatchBank, false, false, 1);
         },
         "Patch Bank Name",
         {false, true, true, false, "Card", 0, 0}},
        {"system",
         true,
         [](model::TLibrary& l) -> model::TLibElem& {
             return InLibrary(l, model::etSystem, false, true, 1);
         },
         "System Name",
         {false, false, false, false, "User", 0, 0}},
        {"global set",
         true,
         [](model::TLibrary& l) -> model::TLibElem& { return AGlobal(l); },
         "Global Name",
         {false, false, false, false, "", 0, 0}},
        {"temporary patch",
         false,
         [](model::TLibrary& l) -> model::TLibElem& {
             return InLibrary(l, model::etPatch, true, false, 5);
         },
         "Patch Name",
         {false, true, false, true, "Temp", 0, 0}},
        {"patch in user memory",
         false,
         [](model::TLibrary& l) -> model::TLibElem& {
             return InLibrary(l, model::etPatch, false, true, 5);
         },
         "Patch Name",
         {true, true, false, true, "User", 128, 5}},
        {"both flags show user memory",
         true,
         [](model::TLibrary& l) -> model::TLibElem& {
             return InLibrary(l, model::etPatch, true, true, 7);
         },
         "Patch Name",
         {true, true, true, true, "User", 128, 7}},
        {"performance numbered past its memory",
         false,
         [](model::TLibrary& l) -> model::TLibElem& {
             return InLibrary(l, model::etPerformance, false, true, 40);
         },
         "Performance Name",
         {true, true, false, true, "User", 32, 32}},
        {"rhythm set in card memory",
         true,
         [](model::TLibrary& l) -> model::TLibElem& {
             return InLibrary(l, model::etRhythm, false, false, 3);
         },
         "Rhythm Name",
         {true, true, true, true, "Card", 2, 2}},
    };
    for (const TOfferCase& c : cases) {
        SCOPED_TRACE(c.name);
        state.Config.DataCardInstalled = c.dataCard;
        model::TLibElem& elem = c.element(library);
        elem.SetName("Shown", false);
        TOffer seen{};
        std::string label, caption, name;
        EXPECT_EQ(Show(elem, {[&] {
                                  seen.position = dialog.Position.Visible();
                                  EXPECT_EQ(dialog.LabelPosition.Visible(), seen.position);
                                  seen.user = dialog.User.Enabled();
                                  seen.card = dialog.Card.Enabled();
                                  seen.temp = dialog.Temp.Enabled();
                                  seen.checked = dialog.User.Checked()   ? "User"
                                                 : dialog.Card.Checked() ? "Card"
                                                 : dialog.Temp.Checked() ? "Temp"
                                                                         : "";
                                  if (seen.position) {
                                      seen.maxPosition = dialog.Position.MaxValue();
                                      seen.shownNumber = dialog.Position.Value();
                                  }
                                  label = dialog.LabelName.Caption();
                                  caption = dialog.Caption();
                                  name = dialog.Editname.Text();
                                  EXPECT_EQ(dialog.Fixed(), !seen.user);
                                  EXPECT_FALSE(dialog.Edited());
                              },
                              [&] { Click(dialog.CancelBtn); }}),
                  forms::mrCancel);
        EXPECT_EQ(seen.position, c.offer.position);
        EXPECT_EQ(seen.user, c.offer.user);
        EXPECT_EQ(seen.card, c.offer.card);
        EXPECT_EQ(seen.temp, c.offer.temp);
        // Where no button may be chosen, the checks follow the flags but offer nothing.
        if (c.offer.user) {
            EXPECT_EQ(std::string(seen.checked), c.offer.checked);
        }
        EXPECT_EQ(seen.maxPosition, c.offer.maxPosition);
        EXPECT_EQ(seen.shownNumber, c.offer.shownNumber);
        EXPECT_EQ(label, c.labelName);
        EXPECT_EQ(caption, "Edit property of : Shown");
        EXPECT_EQ(name, "Shown");
    }
}

TEST_F(FormEditTest, TheDialogIsLaidOutAsDesigned) {
    EXPECT_EQ(dialog.ClientWidth(), 304);
    EXPECT_EQ(dialog.ClientHeight(), 169);
    EXPECT_EQ(dialog.HelpContext, 34);
    EXPECT_EQ(dialog.GroupBox1.Caption(), "Source/Destination");
    EXPECT_EQ(dialog.User.Caption(), " User Memory");
    EXPECT_EQ(dialog.Card.Caption(), " Card Memory");
    EXPECT_EQ(dialog.Temp.Caption(), " Temporary");
    EXPECT_EQ(dialog.LabelPosition.Caption(), "Position");
    EXPECT_EQ(dialog.OKBtn.Caption(), "OK");
    EXPECT_EQ(dialog.CancelBtn.Caption(), "Cancel");
    EXPECT_EQ(FormEdit(), &dialog);
    model::TLibElem& elem = InLibrary(library, model::etPatch, false, true, 12);
    elem.SetName("Picture", false);
    Show(elem, {[&] {
                    EXPECT_TRUE(testsupport::SaveWindowPng(dialog.Handle(),
                                                           (folder / "edit.png").string()));
                },
                [&] { Click(dialog.CancelBtn); }});
}

TEST_F(FormEditTest, TemporaryHidesThePositionAtOnceAndUserMemoryShowsItAgain) {
    model::TLibElem& elem = InLibrary(library, model::etPatch, false, false, 9);
    library.Saved = true;
    bool hidden = false, shownAgain = false;
    EXPECT_EQ(Show(elem, {[&] { Click(dialog.Temp); },
                          [&] {
                              hidden =
                                  !dialog.Position.Visible() && !dialog.LabelPosition.Visible();
                              Click(dialog.User);
                          },
                          [&] {
                              shownAgain =
                                  dialog.Position.Visible() && dialog.LabelPosition.Visible();
                              Click(dialog.OKBtn);
                          }}),
              forms::mrOk);
    EXPECT_TRUE(hidden);
    EXPECT_TRUE(shownAgain);
    EXPECT_FALSE(elem.Temporary);
    EXPECT_TRUE(elem.Memory);
    EXPECT_EQ(elem.Number, 9);
    EXPECT_FALSE(library.Saved);
}

TEST_F(FormEditTest, OkStoresNameMemoryAndPositionAndStampsTheElement) {
    state.Config.DataCardInstalled = true;
    model::TLibElem& elem = InLibrary(library, model::etPatch, false, true, 5);
    elem.ModifiedDate = 0;
    library.Saved = true;
    EXPECT_EQ(Show(elem, {[&] { TypeName("Zed"); }, [&] { Click(dialog.Card); },
                          [&] {
                              Click(dialog.Position, {5, dialog.Position.Height() / 2});
                          },
                          [&] {
                              driver.TypeKey(pw::VK_UP);
                              driver.TypeKey(pw::VK_UP);
                          },
                          [&] { Click(dialog.OKBtn); }}),
              forms::mrOk);
    EXPECT_EQ(elem.GetName(), "Zed");
    EXPECT_FALSE(elem.Temporary);
    EXPECT_FALSE(elem.Memory);
    EXPECT_EQ(elem.Number, 7);
    EXPECT_NE(elem.ModifiedDate, 0);
    EXPECT_FALSE(library.Saved);
}

TEST_F(FormEditTest, ARhythmSetsPositionStopsAtTwo) {
    model::TLibElem& elem = InLibrary(library, model::etRhythm, false, true, 1);
    Show(elem, {[&] {
                    Click(dialog.Position, {5, dialog.Position.Height() / 2});
                },
                [&] {
                    for (int i = 0; i < 4; ++i)
                        driver.TypeKey(pw::VK_UP);
                },
                [&] { Click(dialog.OKBtn); }});
    EXPECT_EQ(elem.Number, 2);
}

TEST_F(FormEditTest, RetypingTheSameNameCountsAsAChange) {
    model::TLibElem& elem = Add(model::etPerformance, "Strings");
    elem.Temporary = false;
    elem.Memory = true;
    elem.ModifiedDate = 0;
    EXPECT_EQ(Show(elem, {[&] { TypeName("Strings"); }, [&] { Click(dialog.OKBtn); }}),
              forms::mrOk);
    EXPECT_EQ(elem.GetName(), "Strings");
    EXPECT_NE(elem.ModifiedDate, 0);
    EXPECT_FALSE(library.Saved);
}

TEST_F(FormEditTest, OkWithoutAChangeStampsNothing) {
    model::TLibElem& elem = Add(model::etPatchBank, "Banked");
    elem.ModifiedDate = 0;
    EXPECT_EQ(Show(elem, {[&] { Click(dialog.OKBtn); }}), forms::mrOk);
    EXPECT_EQ(elem.GetName(), "Banked");
    EXPECT_EQ(elem.ModifiedDate, 0);
    EXPECT_TRUE(library.Saved);
}

TEST_F(FormEditTest, CancelLeavesTheElementUntouched) {
    model::TLibElem& elem = InLibrary(library, model::etPatch, false, true, 3);
    elem.SetName("Kept", false);
    elem.ModifiedDate = 0;
    library.Saved = true;
    EXPECT_EQ(Show(elem, {[&] { TypeName("Other"); }, [&] { Click(dialog.Temp); },
                          [&] { Click(dialog.CancelBtn); }}),
              forms::mrCancel);
    EXPECT_EQ(elem.GetName(), "Kept");
    EXPECT_FALSE(elem.Temporary);
    EXPECT_TRUE(elem.Memory);
    EXPECT_EQ(elem.Number, 3);
    EXPECT_EQ(elem.ModifiedDate, 0);
    EXPECT_TRUE(library.Saved);
}

// The library window's popup Edit, as the user opens it.
class LibraryEditTest : public MainWindowTest {};

TEST_F(LibraryEditTest, ThePopupsEditRenamesTheRightClickedElement) {
    TFormEdit& dialog = MakeForm<TFormEdit>();
    main.FileNew();
    auto* window = dynamic_cast<TFormLibrary*>(main.ActiveMDIChild());
    ASSERT_NE(window, nullptr);
    model::TLibrary& library = window->Library();
    library.Add(model::CreateElemByType(model::etPatch, &library)).SetName("First", false);
    library.Add(model::CreateElemByType(model::etPatch, &library)).SetName("Second", false);
    library.Saved = true;
    window->RefreshList(false, true);
    testsupport::PumpUntilIdle();

    const forms::TPoint row = window->DrawGrid.ClientToScreen({120, 18 + 9});
    const int editIndex = PopupItemIndex(window->PopupMenu, window->edit);
    ASSERT_GE(editIndex, 0);
    std::string caption;
    After(100, [&] { ClickPopupItem(window->PopupMenu, editIndex); });
    After(200, [&] {
        caption = dialog.Caption();
        Click(dialog.Editname);
        driver.TypeKey(pw::VK_END);
        driver.TypeKey(pw::VK_BACK, "\b");
        driver.TypeKey('X', "x");
    });
    After(210, [&] { Click(dialog.OKBtn); });
    driver.Click(row, Qt::RightButton);
    EXPECT_EQ(caption, "Edit property of : Second");
    EXPECT_EQ(library.Elem(1).GetName(), "Seconx");
    EXPECT_EQ(library.Elem(0).GetName(), "First");
    EXPECT_FALSE(library.Saved);
    EXPECT_TRUE(main.FileSaveItem.Enabled());
}

TEST_F(LibraryEditTest, ABankWindowsPopupEditShowsTheEntryWithoutAPlaceOfItsOwn) {
    TFormEdit& dialog = MakeForm<TFormEdit>();
    main.FileNew();
    auto* window = dynamic_cast<TFormLibrary*>(main.ActiveMDIChild());
    ASSERT_NE(window, nullptr);
    model::TLibrary& library = window->Library();
    auto& bank = library.Add(model::CreateElemByType(model::etPatchBank, &library));
    bank.OpenEditor();
    testsupport::PumpUntilIdle();
    auto* bankWindow = dynamic_cast<TFormBank*>(main.ActiveMDIChild());
    ASSERT_NE(bankWindow, nullptr);

    const int editIndex = PopupItemIndex(bankWindow->PopupMenu, bankWindow->edit);
    ASSERT_GE(editIndex, 0);
    bool shown = false, positionVisible = true, userEnabled = true;
    After(100, [&] { ClickPopupItem(bankWindow->PopupMenu, editIndex); });
    After(200, [&] {
        shown = dialog.Visible();
        positionVisible = dialog.Position.Visible();
        userEnabled = dialog.User.Enabled();
        Click(dialog.CancelBtn);
    });
    driver.Click(bankWindow->DrawGrid.ClientToScreen({120, 9}), Qt::RightButton);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(positionVisible);
    EXPECT_FALSE(userEnabled);
}

} // namespace

} // namespace app::test
