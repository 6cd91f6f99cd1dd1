#include "platform/core/component.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform::core {
namespace {

using Log = std::vector<std::string>;

// Writes down what happens to it: its notifications, its Loaded and its destruction.
class Probe : public TComponent {
public:
    Probe(TComponent* owner, std::string name, Log& log) : TComponent(owner), log_(log) {
        Name = std::move(name);
    }
    ~Probe() override { log_.push_back("free " + Name); }

    using TComponent::SetDesigning;
    std::function<void(TComponent*, TOperation)> onNotification;

protected:
    void Loaded() override { log_.push_back("loaded " + Name); }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        log_.push_back(Name + (operation == opInsert ? " hears insert " : " hears remove ") +
                       component->Name);
        if (onNotification) onNotification(component, operation);
    }

private:
    Log& log_;
};

Log Only(const Log& log, const std::string& prefix) {
    Log result;
    for (const auto& line : log)
        if (line.rfind(prefix, 0) == 0) result.push_back(line);
    return result;
}

TEST(Component, OwnKeepsTheComponentsInTheOrderCreated) {
    Log log;
    {
        Probe form(nullptr, "form", log);
        Probe& a = form.Own<Probe>("a", log);
        Probe& b = form.Own<Probe>("b", log);
        EXPECT_EQ(form.Owner(), nullptr);
        EXPECT_EQ(a.Owner(), &form);
        ASSERT_EQ(form.ComponentCount(), 2);
        EXPECT_EQ(form.Components(0), &a);
        EXPECT_EQ(form.Components(1), &b);
        EXPECT_EQ(a.ComponentCount(), 0);
        EXPECT_EQ(Only(log, "form hears"), (Log{"form hears insert a", "form hears insert b"}));
        // An owner passes the news on to its components.
        EXPECT_EQ(Only(log, "a hears"), (Log{"a hears insert a", "a hears insert b"}));
    }
}

TEST(Component, AnOwnerFreesEachOfItsComponentsOnceLastCreatedFirst) {
    Log log;
    {
        auto form = std::make_unique<Probe>(nullptr, "form", log);
        form->Own<Probe>("a", log);
        Probe& b = form->Own<Probe>("b", log);
        b.Own<Probe>("b1", log);
        b.Own<Probe>("b2", log);
        form->Own<Probe>("c", log);
        form.reset();
    }
    EXPECT_EQ(Only(log, "free"),
              (Log{"free form", "free c", "free b", "free b2", "free b1", "free a"}));
}

TEST(Component, FreeComponentFreesOneEarlyAndEveryoneOnTheFormHears) {
    Log log;
    Probe form(nullptr, "form", log);
    Probe& a = form.Own<Probe>("a", log);
    Probe& b = form.Own<Probe>("b", log);
    Probe& c = form.Own<Probe>("c", log);
    log.clear();
    bool wholeWhenHeard = false;
    a.onNotification = [&](TComponent* component, TOperation operation) {
        if (operation == opRemove && component == &b)
            wholeWhenHeard = (b.ComponentState() & csDestroying) && form.ComponentCount() == 3;
    };

    form.FreeComponent(b);
    EXPECT_TRUE(wholeWhenHeard);
    // The owner passes the news on to its components, last created first (the probe writes
    // its line after passing it on).
    EXPECT_EQ(log, (Log{"c hears remove b", "b hears remove b", "a hears remove b",
                        "form hears remove b", "free b"}));
    ASSERT_EQ(form.ComponentCount(), 2);
    EXPECT_EQ(form.Components(0), &a);
    EXPECT_EQ(form.Components(1), &c);

    // Not one of its own: nothing happens.
    Probe stranger(nullptr, "stranger", log);
    log.clear();
    form.FreeComponent(stranger);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(form.ComponentCount(), 2);
}

TEST(Component, FreeNotificationsArriveOnceWhicheverGoesFirst) {
    Log log;
    auto watcher = std::make_unique<Probe>(nullptr, "watcher", log);
    auto form = std::make_unique<Probe>(nullptr, "form", log);
    Probe& a = form->Own<Probe>("a", log);
    Probe& b = form->Own<Probe>("b", log);
    b.FreeNotification(watcher.get());
    b.FreeNotification(watcher.get()); // linked once
    a.FreeNotification(&b);            // siblings, also told through their owner
    bool destroyingWhenHeard = false;
    watcher->onNotification = [&](TComponent* component, TOperation) {
        destroyingWhenHeard = component->ComponentState() & csDestroying;
    };
    log.clear();

    form.reset();
    EXPECT_EQ(Only(log, "watcher"), (Log{"watcher hears remove b"}));
    EXPECT_TRUE(destroyingWhenHeard);
    // b went first and heard nothing of a; a heard of b once.
    EXPECT_EQ(Only(log, "a hears"), (Log{"a hears remove b"}));
    EXPECT_TRUE(Only(log, "b hears").empty());

    // The other way round: the watcher goes first, and the watched one is not left with a
    // dangling link (the sanitizer would see it).
    form = std::make_unique<Probe>(nullptr, "form", log);
    Probe& d = form->Own<Probe>("d", log);
    d.FreeNotification(watcher.get());
    log.clear();
    watcher.reset();
    EXPECT_EQ(log, (Log{"free watcher", "d hears remove watcher"}));
    log.clear();
    form.reset();
    EXPECT_EQ(log, (Log{"free form", "free d"}));
}

TEST(Component, RemoveFreeNotificationUnlinksBothWays) {
    Log log;
    auto watcher = std::make_unique<Probe>(nullptr, "watcher", log);
    {
        Probe watched(nullptr, "watched", log);
        watched.FreeNotification(watcher.get());
        watcher->RemoveFreeNotification(&watched);
        log.clear();
    }
    EXPECT_EQ(log, (Log{"free watched"}));
}

TEST(Component, AHandlerMayFreeAnotherComponentWhileTheNewsGoesRound) {
    Log log;
    Probe form(nullptr, "form", log);
    form.Own<Probe>("a", log);
    Probe& b = form.Own<Probe>("b", log);
    Probe& c = form.Own<Probe>("c", log);
    Probe& d = form.Own<Probe>("d", log);
    // When b goes, d takes c with it.
    d.onNotification = [&](TComponent* component, TOperation operation) {
        if (operation == opRemove && component == &b) form.FreeComponent(c);
    };
    form.FreeComponent(b);
    ASSERT_EQ(form.ComponentCount(), 2);
    EXPECT_EQ(form.Components(1)->Name, "d");
    std::map<std::string, int> frees;
    for (const auto& line : Only(log, "free"))
        ++frees[line];
    EXPECT_EQ(frees, (std::map<std::string, int>{{"free b", 1}, {"free c", 1}}));
}

TEST(Component, LoadedComesAtTheEndOfTheLoadingBracket) {
    Log log;
    Probe form(nullptr, "form", log);
    log.clear();
    EXPECT_EQ(form.ComponentState() & csLoading, 0u);
    form.BeginLoading();
    EXPECT_NE(form.ComponentState() & csLoading, 0u);
    EXPECT_TRUE(log.empty());
    form.EndLoading();
    EXPECT_EQ(form.ComponentState() & csLoading, 0u);
    EXPECT_EQ(log, (Log{"loaded form"}));
    form.EndLoading(); // no bracket open: no second Loaded
    EXPECT_EQ(log.size(), 1u);
}

TEST(Component, DesignModeReachesOwnComponentsOldAndNew) {
    Log log;
    Probe form(nullptr, "form", log);
    Probe& a = form.Own<Probe>("a", log);
    form.SetDesigning(true);
    Probe& b = form.Own<Probe>("b", log);
    EXPECT_NE(a.ComponentState() & csDesigning, 0u);
    EXPECT_NE(b.ComponentState() & csDesigning, 0u);
    form.SetDesigning(false);
    EXPECT_EQ(b.ComponentState() & csDesigning, 0u);
}

TEST(Component, ACreatedByClassComponentIsAdoptedByItsOwner) {
    TComponent form(nullptr);
    const TComponentClass& cls = TComponent::ClassRef();
    TComponent& made = form.InsertComponent(cls.Create(&form));
    EXPECT_EQ(made.Owner(), &form);
    EXPECT_EQ(made.GetOwner(), &form);
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_TRUE(made.ClassType().InheritsFrom(&TPersistent::ClassRef()));
    form.FreeComponent(made);
    EXPECT_EQ(form.ComponentCount(), 0);
}

} // namespace
} // namespace platform::core
