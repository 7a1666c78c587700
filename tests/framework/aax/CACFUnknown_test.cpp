#include "framework/aax/BoundaryGuard.h"
#include "framework/aax/CACFUnknown.h"
#include "platform/AAXResults.h"
#include "support/TestACFObject.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(CACFUnknown, LiveObjectCountFollowsCreateRetainAndRelinquish)
{
    const int32_t before = CACFUnknown::LiveObjectCount();
    int beforeDestroyCalls = 0;
    auto* effect = new TestACFObject(&beforeDestroyCalls);
    auto* gui = new TestACFObject;
    EXPECT_EQ(CACFUnknown::LiveObjectCount(), before + 2);

    EXPECT_EQ(effect->Retain(), 1u);  // the host's first retain
    EXPECT_EQ(gui->Retain(), 1u);
    EXPECT_EQ(effect->Retain(), 2u);
    EXPECT_EQ(effect->Relinquish(), 1u);
    EXPECT_EQ(beforeDestroyCalls, 0);
    EXPECT_EQ(effect->Relinquish(), 0u);
    EXPECT_EQ(beforeDestroyCalls, 1);
    EXPECT_EQ(CACFUnknown::LiveObjectCount(), before + 1);
    EXPECT_EQ(gui->Relinquish(), 0u);
    EXPECT_EQ(CACFUnknown::LiveObjectCount(), before);
}

TEST(CACFUnknown, LookupsRetainWhatTheyGiveAndRefuseUnknownIDsAndNullOuts)
{
    auto* object = new TestACFObject;
    object->Retain();
    void* answer = nullptr;
    ASSERT_EQ(object->LookupInterface(kIID_ACFUnknown, &answer), 0);
    auto* inner = static_cast<IACFUnknown*>(answer);
    EXPECT_EQ(inner, object->OuterUnknown());
    EXPECT_NE(inner, static_cast<IACFUnknown*>(object));
    EXPECT_EQ(inner->Retain(), 3u);  // the host's, the lookup's and this one
    EXPECT_EQ(inner->Relinquish(), 2u);
    EXPECT_EQ(inner->Relinquish(), 1u);

    ASSERT_EQ(object->LookupInterface(kIID_EffectParameters, &answer), 0);
    EXPECT_EQ(answer, static_cast<IACFUnknown*>(object));
    EXPECT_EQ(object->Relinquish(), 1u);

    EXPECT_EQ(object->LookupInterface(kIID_EffectGUI, &answer), kACFResultNoInterface);
    EXPECT_EQ(answer, nullptr);
    EXPECT_EQ(object->LookupInterface(kIID_ACFUnknown, nullptr), kACFResultNullPointer);
    EXPECT_EQ(object->LookupInterface(kIID_EffectParameters, nullptr), kACFResultNullPointer);
    EXPECT_EQ(object->Relinquish(), 0u);  // no reference was added
}

TEST(BoundaryGuard, AnEscapingExceptionBecomesTheUnexpectedResult)
{
    EXPECT_EQ(GuardBoundary([] { return -7; }), -7);
    EXPECT_EQ(GuardBoundary([]() -> int32_t { throw std::runtime_error("x"); }), kACFResultUnexpected);
    EXPECT_EQ(GuardBoundary([]() -> int32_t { throw 1; }), static_cast<int32_t>(0x8000FFFF));
}

}  // namespace
