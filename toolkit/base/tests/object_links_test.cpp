#include "toolkit/base/cx_component.h"
#include "toolkit/base/free_notificator.h"
#include "toolkit/base/object_links.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace toolkit::base {
namespace {

using platform::core::TComponent;

TEST(ObjectLinks, ANullObjectGetsNoLink) {
    EXPECT_EQ(cxAddObjectLink(nullptr), nullptr);
    std::unique_ptr<TcxObjectLink> None;
    cxRemoveObjectLink(None);
    EXPECT_EQ(cxObjectLinkController(), nullptr);
}

TEST(ObjectLinks, AreClearedWhenTheirTargetDies) {
    auto Target = std::make_unique<TcxComponent>(nullptr);
    TcxComponent Other(nullptr);
    auto First = cxAddObjectLink(Target.get());
    auto Second = cxAddObjectLink(Target.get());
    auto ToOther = cxAddObjectLink(&Other);
    ASSERT_NE(cxObjectLinkController(), nullptr);
    EXPECT_EQ(cxObjectLinkController()->Count(), 3);

    Target.reset();
    EXPECT_EQ(First->Ref, nullptr);
    EXPECT_EQ(Second->Ref, nullptr);
    EXPECT_EQ(ToOther->Ref, &Other);
    EXPECT_EQ(cxObjectLinkController()->Count(), 1);

    // A cleared link is freed without touching the list; the controller stays for the others.
    cxRemoveObjectLink(First);
    EXPECT_EQ(First, nullptr);
    EXPECT_EQ(cxObjectLinkController()->Count(), 1);
    cxRemoveObjectLink(ToOther);
    EXPECT_EQ(cxObjectLinkController()->Count(), 0);
    ASSERT_NE(cxObjectLinkController(), nullptr);

    // The controller goes with the last link, cleared or not.
    cxRemoveObjectLink(Second);
    EXPECT_EQ(cxObjectLinkController(), nullptr);
}

TEST(ObjectLinks, TheControllerComesBackWithTheNextLink) {
    TcxComponent Target(nullptr);
    {
        auto Link = cxAddObjectLink(&Target);
        EXPECT_NE(cxObjectLinkController(), nullptr);
    }
    EXPECT_EQ(cxObjectLinkController(), nullptr);
    cxClearObjectLinks(&Target);
    auto Link = cxAddObjectLink(&Target);
    EXPECT_EQ(cxObjectLinkController()->Count(), 1);
    cxClearObjectLinks(&Target);
    EXPECT_EQ(Link->Ref, nullptr);
}

TEST(FreeNotificator, HearsWhenAWatchedComponentGoes) {
    TcxFreeNotificator Notificator(nullptr);
    std::vector<TComponent*> Heard;
    Notificator.OnFreeNotification = [&](TComponent* Gone) { Heard.push_back(Gone); };
    auto Watched = std::make_unique<TComponent>(nullptr);
    TComponent* WatchedAddress = Watched.get();
    TComponent Unwatched(nullptr);
    cxAddFreeNotification(&Notificator, Watched.get());
    cxAddFreeNotification(&Notificator, nullptr);
    cxAddFreeNotification(&Notificator, &Unwatched);
    cxRemoveFreeNotification(&Notificator, &Unwatched);
    cxRemoveFreeNotification(&Notificator, nullptr);
    Watched.reset();
    EXPECT_EQ(Heard, std::vector<TComponent*>{WatchedAddress});
}

// Names the two components it links to at design time.
class Linking : public TcxComponent {
public:
    using TcxComponent::TcxComponent;
    std::vector<TComponent*> Links;

protected:
    void GetDesignTimeComponents(std::vector<TComponent*>& List) override {
        List.insert(List.end(), Links.begin(), Links.end());
    }
};

class Designing : public TComponent {
public:
    using TComponent::SetDesigning;
    using TComponent::TComponent;
};

TEST(Component, RemembersItsDesignTimeLinksAfterLoadingInTheDesigner) {
    Designing Form(nullptr);
    Form.SetDesigning(true);
    auto& Component = Form.Own<Linking>();
    auto& A = Form.Own<TComponent>();
    auto& B = Form.Own<TComponent>();
    Component.Links = {&A, &B};
    Component.BeginLoading();
    Component.EndLoading();
    EXPECT_EQ(Component.DesignTimeComponents(0), &A);
    EXPECT_EQ(Component.DesignTimeComponents(1), &B);
    EXPECT_EQ(Component.DesignTimeComponents(2), nullptr);
    Form.FreeComponent(A);
    EXPECT_EQ(Component.DesignTimeComponents(0), nullptr);
}

TEST(Component, RemembersNothingOutsideTheDesigner) {
    Designing Form(nullptr);
    auto& Component = Form.Own<Linking>();
    auto& A = Form.Own<TComponent>();
    Component.Links = {&A};
    Component.BeginLoading();
    Component.EndLoading();
    EXPECT_EQ(Component.DesignTimeComponents(0), nullptr);
}

} // namespace
} // namespace toolkit::base
