#include "editors/form_view.h"

#include "testsupport/desktop/desktop_fixture.h"

namespace editors::test {

namespace {

using FormViewTest = testsupport::DesktopTest;

TEST_F(FormViewTest, ReportsTheFormsPlaceAndTheSizeOnlyWhereTheElementKeepsIt) {
    MakeMainWindow();
    auto& form = MakeForm<platform::forms::TForm>(platform::forms::fsMDIChild);
    form.SetBounds(30, 40, 300, 200);
    int updates = 0;
    TFormView sized(
        form, [&] { ++updates; }, true);
    TFormView unsized(form, nullptr, false);

    EXPECT_EQ(sized.Left(), 30);
    EXPECT_EQ(sized.Top(), 40);
    EXPECT_EQ(sized.Width(), 300);
    EXPECT_EQ(sized.Height(), 200);
    EXPECT_EQ(unsized.Left(), 30);
    EXPECT_EQ(unsized.Width(), -1);
    EXPECT_EQ(unsized.Height(), -1);
    sized.UpDateView();
    unsized.UpDateView();
    EXPECT_EQ(updates, 1);
}

TEST_F(FormViewTest, CloseByOwnerFreesTheFormWithoutItsCloseHandlerButWithItsDestroyHandler) {
    MakeMainWindow();
    auto& form = MakeForm<platform::forms::TForm>(platform::forms::fsMDIChild);
    form.Show();
    bool closed = false;
    bool destroyed = false;
    form.OnClose = [&](platform::forms::TObject*, platform::forms::TCloseAction&) {
        closed = true;
    };
    form.OnDestroy = [&](platform::forms::TObject*) { destroyed = true; };
    const int before = owner->ComponentCount();
    TFormView view(form, nullptr, false);

    view.CloseByOwner();

    EXPECT_FALSE(closed);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(owner->ComponentCount(), before - 1);
}

} // namespace

} // namespace editors::test
