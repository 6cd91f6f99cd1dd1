#include "toolkit/bars/customizing/dx_bar_name_ed.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "platform/forms/dialogs.h"
#include "platform/forms/screen.h"

#include <functional>
#include <string>

namespace toolkit::bars {
namespace {

namespace pf = platform::forms;

// Two toolbars, "ToolBar" and "Edit"; the dialog is driven by keys and clicks from actions the
// manual clock runs inside its modal loop.
class NameEdTest : public MenuFormFixture {
protected:
    NameEdTest() {
        MakeMainMenu();
        Bar->SetCaption("Main Menu");
        Tools = Manager->Bars()->Add();
        Tools->SetCaption("ToolBar");
        Manager->Bars()->Add()->SetCaption("Edit");
        ShowMainMenu();
    }

    // Runs Action while the dialog is up; the dialog under test is then the active form.
    void While(std::function<void(TdxBarNameEd&)> Action) {
        Clock.Schedule(Clock.Now() + 100, [Action] {
            TdxBarNameEd* Dialog = nullptr;
            for (int I = 0; I < pf::Screen().FormCount() && !Dialog; ++I)
                Dialog = dynamic_cast<TdxBarNameEd*>(pf::Screen().Forms(I));
            ASSERT_NE(Dialog, nullptr);
            Action(*Dialog);
            testsupport::PumpUntilIdle();
            if (Dialog->ModalResult() == pf::mrNone) Dialog->SetModalResult(pf::mrCancel);
        });
    }
    void Type(const std::string& Text) {
        for (char C : Text)
            Input.Key(QChar(C).toUpper().unicode(), QString(QChar(C)));
        testsupport::PumpUntilIdle();
    }
    void Erase(int Count) {
        Input.Key(Qt::Key_End);
        for (int I = 0; I < Count; ++I)
            Input.Key(Qt::Key_Backspace, QString(QChar(8)));
        testsupport::PumpUntilIdle();
    }
    void Press(pf::TControl& Control) {
        Input.Click(Control.ClientToScreen({Control.Width() / 2, Control.Height() / 2}));
        testsupport::PumpUntilIdle();
    }

    TdxBar* Tools = nullptr;
};

TEST_F(NameEdTest, TypingANameAndEnterReturnsIt) {
    std::string Name = "ToolBar";
    While([this](TdxBarNameEd& Dialog) {
        EXPECT_EQ(Dialog.Caption(), "Rename Toolbar");
        EXPECT_EQ(Dialog.LName.Caption(), "&Toolbar name:");
        EXPECT_EQ(Dialog.EName.Text(), "ToolBar");
        Erase(3);
        Type("Box");
        Input.Key(Qt::Key_Return);
    });
    EXPECT_TRUE(dxBarNameEd(Name, false, 1, Tools, Manager->Bars()));
    EXPECT_EQ(Name, "ToolBox");
}

TEST_F(NameEdTest, AnEmptyNameCannotBeConfirmed) {
    std::string Name = "Edit";
    bool EnabledWhileEmpty = true;
    While([&](TdxBarNameEd& Dialog) {
        Erase(4);
        EnabledWhileEmpty = Dialog.BOK.Enabled();
        Press(Dialog.BOK);
        EXPECT_EQ(Dialog.ModalResult(), pf::mrNone);
        Type("x");
        EXPECT_TRUE(Dialog.BOK.Enabled());
        Input.Key(Qt::Key_Escape);
    });
    EXPECT_FALSE(dxBarNameEd(Name, false, 0, nullptr, Manager->Bars()));
    EXPECT_FALSE(EnabledWhileEmpty);
    EXPECT_EQ(Name, "Edit");
}

TEST_F(NameEdTest, ADuplicateToolbarNameIsRefusedWithAMessage) {
    pf::TDialogScript Script;
    const std::string Message = "A toolbar named 'Edit' already exists. Type another name.";
    Script.Answer(Message, pf::IDOK);
    std::string Name = "New";
    bool StillOpen = false;
    While([&](TdxBarNameEd& Dialog) {
        Erase(3);
        Type("Edit");
        Press(Dialog.BOK);
        StillOpen = Dialog.ModalResult() == pf::mrNone;
    });
    EXPECT_FALSE(dxBarNameEd(Name, false, 0, nullptr, Manager->Bars()));
    EXPECT_TRUE(StillOpen);
    EXPECT_TRUE(Script.Done());
    ASSERT_EQ(Script.Asked().size(), 1u);
    EXPECT_EQ(Script.Asked()[0].Flags & pf::MB_ICONERROR, pf::MB_ICONERROR);
    EXPECT_TRUE(Script.Mismatches().empty());
}

TEST_F(NameEdTest, RenamingAToolbarToItsOwnNameIsAccepted) {
    std::string Name = "ToolBar";
    While([this](TdxBarNameEd& Dialog) { Press(Dialog.BOK); });
    EXPECT_TRUE(dxBarNameEd(Name, false, 1, Tools, Manager->Bars()));
    EXPECT_EQ(Name, "ToolBar");
}

TEST_F(NameEdTest, CaptionsFollowTheKindAndTheMode) {
    struct Case {
        bool IsCategory;
        int Mode;
        const char* Caption;
        const char* Label;
    };
    const Case Cases[] = {
        {false, 0, "Add Toolbar", "&Toolbar name:"},
        {false, 1, "Rename Toolbar", "&Toolbar name:"},
        {true, 0, "Add Category", "&Category name:"},
        {true, 1, "Insert Category", "&Category name:"},
        {true, 2, "Rename Category", "&Category name:"},
    };
    for (const Case& C : Cases) {
        TdxBarNameEd Dialog(nullptr);
        Dialog.AfterConstruction();
        Dialog.Prepare("Name", C.IsCategory, C.Mode, nullptr, Manager->Bars());
        EXPECT_EQ(Dialog.Caption(), C.Caption) << C.Mode;
        EXPECT_EQ(Dialog.LName.Caption(), C.Label) << C.Mode;
        EXPECT_EQ(Dialog.BOK.Caption(), "OK");
        EXPECT_EQ(Dialog.BCancel.Caption(), "Cancel");
    }
}

} // namespace
} // namespace toolkit::bars
