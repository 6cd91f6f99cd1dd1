#include "platform/core/loading_bracket.h"

#include "platform/core/component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform::core {
namespace {

std::vector<std::string> g_loaded;

// Records its Loaded, with whether a component made before it was still loading then.
class TRecorder : public TComponent {
public:
    TRecorder(TComponent* owner, std::string name, const TRecorder* watch = nullptr)
        : TComponent(owner), watch_(watch), loadingAtBirth((ComponentState() & csLoading) != 0) {
        Name = std::move(name);
    }
    const TRecorder* watch_;
    bool loadingAtBirth;

protected:
    void Loaded() override {
        TComponent::Loaded();
        std::string entry = Name;
        if (watch_) entry += (watch_->ComponentState() & csLoading) ? "+" : "-";
        g_loaded.push_back(entry);
    }
};

TEST(LoadingBracket, ComponentsMadeInsideLoadUntilItEndsThenGetLoadedInTheOrderMade) {
    g_loaded.clear();
    TComponent root(nullptr);
    TRecorder* first = nullptr;
    TRecorder* last = nullptr;
    {
        TLoadingBracket loading;
        first = &root.Own<TRecorder>("first");
        root.Own<TRecorder>("second", first);
        last = &root.Own<TRecorder>("third");
        EXPECT_TRUE(first->loadingAtBirth);
        EXPECT_EQ(loading.Count(), 3);
        EXPECT_TRUE(g_loaded.empty());
    }
    // Each leaves the loading state as its turn comes: "second" saw "first" done already.
    EXPECT_EQ(g_loaded, (std::vector<std::string>{"first", "second-", "third"}));
    EXPECT_FALSE(last->ComponentState() & csLoading);
    EXPECT_FALSE(root.ComponentState() & csLoading) << "made before the bracket";
    EXPECT_FALSE(root.Own<TRecorder>("after").loadingAtBirth);
}

TEST(LoadingBracket, AComponentFreedInsideIsNotLoaded) {
    g_loaded.clear();
    TComponent root(nullptr);
    {
        TLoadingBracket loading;
        TRecorder& gone = root.Own<TRecorder>("gone");
        root.Own<TRecorder>("kept");
        root.FreeComponent(gone);
        EXPECT_EQ(loading.Count(), 1);
    }
    EXPECT_EQ(g_loaded, std::vector<std::string>{"kept"});
}

TEST(LoadingBracket, ComponentsJoinTheInnermostBracket) {
    g_loaded.clear();
    TComponent root(nullptr);
    TLoadingBracket outer;
    root.Own<TRecorder>("outer");
    {
        TLoadingBracket inner;
        root.Own<TRecorder>("inner");
        inner.End();
        EXPECT_EQ(g_loaded, std::vector<std::string>{"inner"});
        EXPECT_TRUE(root.Own<TRecorder>("outer again").loadingAtBirth);
    }
    outer.End();
    EXPECT_EQ(g_loaded, (std::vector<std::string>{"inner", "outer", "outer again"}));
}

} // namespace
} // namespace platform::core
