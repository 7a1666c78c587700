#include "framework/aax/CACFUnknown.h"
#include "support/TestACFObject.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

// Hosts make and release objects on any of their threads.
TEST(CACFUnknownConcurrency, CountsStayExactAcrossThreads)
{
    const int32_t before = CACFUnknown::LiveObjectCount();
    auto* shared = new TestACFObject;
    shared->Retain();

    constexpr int kThreads = 4;
    constexpr int kRounds = 2000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([shared] {
            for (int i = 0; i < kRounds; ++i)
            {
                auto* own = new TestACFObject;
                own->Retain();
                void* inner = nullptr;
                own->LookupInterface(kIID_ACFUnknown, &inner);
                static_cast<IACFUnknown*>(inner)->Relinquish();
                own->Relinquish();

                shared->Retain();
                shared->Relinquish();
            }
        });
    for (std::thread& thread : threads)
        thread.join();

    EXPECT_EQ(CACFUnknown::LiveObjectCount(), before + 1);
    EXPECT_EQ(shared->Relinquish(), 0u);
    EXPECT_EQ(CACFUnknown::LiveObjectCount(), before);
}

}  // namespace
