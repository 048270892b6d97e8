#include "common/unique_resource.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

namespace tavlin {
namespace {

// A handle type whose closes are logged, so a test sees which handle was
// closed and in which order.
struct FakeTraits {
    static inline std::vector<int> closed;
    static int Invalid() noexcept { return -1; }
    static void Close(int h) noexcept { closed.push_back(h); }
};
using FakeHandle = UniqueResource<FakeTraits>;

// Starts a test with an empty log.
const std::vector<int>& FreshCloseLog() {
    FakeTraits::closed.clear();
    return FakeTraits::closed;
}

static_assert(!std::is_copy_constructible_v<FakeHandle>);
static_assert(!std::is_copy_assignable_v<FakeHandle>);
static_assert(std::is_nothrow_move_constructible_v<FakeHandle>);
static_assert(std::is_nothrow_move_assignable_v<FakeHandle>);

TEST(UniqueResource, MovesCarryTheHandleAndCloseItExactlyOnce) {
    const auto& closed = FreshCloseLog();
    {
        FakeHandle a(7);
        FakeHandle b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(a.get(), -1);
        EXPECT_EQ(b.get(), 7);
        FakeHandle c;
        c = std::move(b);
        EXPECT_FALSE(b);
        EXPECT_EQ(c.get(), 7);
        EXPECT_TRUE(closed.empty()) << "moving closes nothing";
    }
    EXPECT_EQ(closed, std::vector<int>{7});
}

TEST(UniqueResource, MoveAssignmentClosesWhatTheTargetHeld) {
    const auto& closed = FreshCloseLog();
    FakeHandle target(1);
    FakeHandle source(2);
    target = std::move(source);
    EXPECT_EQ(closed, std::vector<int>{1});
    EXPECT_EQ(target.get(), 2);
}

TEST(UniqueResource, SelfMoveKeepsTheHandleOpen) {
    const auto& closed = FreshCloseLog();
    FakeHandle h(5);
    FakeHandle& alias = h; // spelled through a reference so the compiler lets it pass
    h = std::move(alias);
    EXPECT_EQ(h.get(), 5);
    EXPECT_TRUE(closed.empty());
}

TEST(UniqueResource, PutClosesTheOldHandleBeforeHandingOutTheSlot) {
    const auto& closed = FreshCloseLog();
    FakeHandle h(3);
    int* slot = h.put();
    // An API writing its result through the slot must find the old handle
    // already closed and the slot invalid, never a live handle it overwrites.
    EXPECT_EQ(closed, std::vector<int>{3});
    EXPECT_EQ(*slot, -1);
    *slot = 4;
    EXPECT_EQ(h.get(), 4);
    (void)h.put();
    EXPECT_EQ(closed, (std::vector<int>{3, 4}));
}

TEST(UniqueResource, ReleasedHandlesAreTheCallersAndInvalidOnesAreNeverClosed) {
    const auto& closed = FreshCloseLog();
    {
        FakeHandle h(8);
        EXPECT_EQ(h.release(), 8);
        EXPECT_FALSE(h);
        FakeHandle empty;
        empty.reset();
        FakeHandle invalid(-1);
        EXPECT_FALSE(invalid);
    }
    EXPECT_TRUE(closed.empty());
}

TEST(UniqueResource, ResetClosesTheOldHandleAndKeepsTheNewOne) {
    const auto& closed = FreshCloseLog();
    FakeHandle h(1);
    h.reset(2);
    EXPECT_EQ(closed, std::vector<int>{1});
    EXPECT_EQ(h.get(), 2);
    h.reset();
    EXPECT_EQ(closed, (std::vector<int>{1, 2}));
    EXPECT_FALSE(h);
}

// Stands in for an interface: counts AddRef and Release separately, so an
// unbalanced pair shows even when the totals happen to agree.
struct FakeUnknown {
    int addRefs = 0;
    int releases = 0;
    unsigned long AddRef() { return static_cast<unsigned long>(++addRefs); }
    unsigned long Release() { return static_cast<unsigned long>(++releases); }
    // The reference the creator handed out plus AddRefs minus Releases.
    int Refs() const { return 1 + addRefs - releases; }
};

TEST(ComPtr, AttachTakesOverTheCallersReferenceRetainAddsItsOwn) {
    FakeUnknown object;
    {
        auto attached = ComPtr<FakeUnknown>::Attach(&object);
        EXPECT_EQ(object.addRefs, 0);
        auto retained = ComPtr<FakeUnknown>::Retain(&object);
        EXPECT_EQ(object.addRefs, 1);
        EXPECT_EQ(retained.get(), &object);
    }
    EXPECT_EQ(object.releases, 2);
    EXPECT_EQ(object.Refs(), 0);
}

TEST(ComPtr, CopiesAddAReferenceMovesDoNot) {
    FakeUnknown object;
    {
        auto a = ComPtr<FakeUnknown>::Attach(&object);
        ComPtr<FakeUnknown> b = a;
        EXPECT_EQ(object.Refs(), 2);
        ComPtr<FakeUnknown> c = std::move(b);
        EXPECT_FALSE(b);
        EXPECT_EQ(object.Refs(), 2);
        c = a; // replaces a reference to the same object with another
        EXPECT_EQ(object.Refs(), 2);
        ComPtr<FakeUnknown> d;
        d = std::move(c);
        EXPECT_FALSE(c);
        EXPECT_EQ(object.Refs(), 2);
    }
    EXPECT_EQ(object.Refs(), 0);
}

TEST(ComPtr, AssignmentReleasesWhatWasHeld) {
    FakeUnknown first;
    FakeUnknown second;
    auto p = ComPtr<FakeUnknown>::Attach(&first);
    p = ComPtr<FakeUnknown>::Retain(&second);
    EXPECT_EQ(first.Refs(), 0);
    EXPECT_EQ(second.Refs(), 2);
    p = nullptr;
    EXPECT_EQ(second.Refs(), 1);
    EXPECT_FALSE(p);
}

TEST(ComPtr, SelfAssignmentKeepsTheReference) {
    FakeUnknown object;
    auto p = ComPtr<FakeUnknown>::Attach(&object);
    ComPtr<FakeUnknown>& alias = p;
    p = alias;
    EXPECT_EQ(p.get(), &object);
    EXPECT_EQ(object.Refs(), 1);
    p = std::move(alias);
    EXPECT_EQ(p.get(), &object);
    EXPECT_EQ(object.Refs(), 1);
}

TEST(ComPtr, PutReleasesTheOldPointerBeforeHandingOutTheSlot) {
    FakeUnknown old;
    FakeUnknown fresh;
    auto p = ComPtr<FakeUnknown>::Attach(&old);
    FakeUnknown** slot = p.put();
    EXPECT_EQ(old.Refs(), 0);
    EXPECT_EQ(*slot, nullptr);
    *slot = &fresh; // as QueryInterface would, with the reference it added
    EXPECT_EQ(p.get(), &fresh);
    void** untyped = p.put_void();
    EXPECT_EQ(fresh.Refs(), 0);
    EXPECT_EQ(*untyped, nullptr);
}

TEST(ComPtr, DetachHandsTheReferenceOverAndResetReleasesIt) {
    FakeUnknown object;
    {
        auto p = ComPtr<FakeUnknown>::Attach(&object);
        FakeUnknown* raw = p.detach();
        EXPECT_EQ(raw, &object);
        EXPECT_FALSE(p);
    }
    EXPECT_EQ(object.releases, 0) << "a detached reference is the caller's";
    auto p = ComPtr<FakeUnknown>::Attach(&object);
    p.reset();
    p.reset();
    EXPECT_EQ(object.releases, 1);
}

TEST(ComPtr, NullPointersAreNeverCounted) {
    ComPtr<FakeUnknown> empty;
    ComPtr<FakeUnknown> copy = empty;
    auto retained = ComPtr<FakeUnknown>::Retain(nullptr);
    EXPECT_FALSE(empty);
    EXPECT_FALSE(copy);
    EXPECT_FALSE(retained);
    retained.reset(); // would crash on a null Release
}

} // namespace
} // namespace tavlin
