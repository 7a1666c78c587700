#include "framework/aax/AAX_VController.h"
#include "framework/aax/ParamPacketDispatcher.h"
#include "framework/aax/ThreadMutex.h"
#include "host/StandInHost.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

TEST(ThreadMutex, TheOwningThreadPassesThrough)
{
    ThreadMutex mutex;
    EXPECT_FALSE(mutex.Lock());  // not made yet: nothing to take
    mutex.Create();
    ASSERT_TRUE(mutex.Lock());
    EXPECT_FALSE(mutex.Lock());  // owned already: no wait, nothing to release

    std::atomic<bool> taken{false};
    std::thread other([&] {
        mutex.Unlock();  // not the owner: nothing happens
        taken = mutex.Lock();
        mutex.Unlock();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(taken);
    mutex.Unlock();
    other.join();
    EXPECT_TRUE(taken);
}

// Fills its packet with one byte per update and marks another parameter's
// packets while it is being dispatched.
class CountingHandler final : public ParamPacketHandler
{
public:
    explicit CountingHandler(ParamPacketDispatcher& dispatcher, int32_t result = 0)
        : dispatcher(dispatcher), result(result)
    {
    }

    int32_t UpdatePacket(uint32_t packetID, ParamPacket& packet) override
    {
        ids.push_back(packetID);
        packet.data.push_back(static_cast<uint8_t>(ids.size()));
        dispatcher.MarkDirty("other", true);  // re-enters the dispatcher's mutex
        return result;
    }

    std::vector<uint32_t> ids;

private:
    ParamPacketDispatcher& dispatcher;
    int32_t result;
};

TEST(ParamPacketDispatcher, PostsEachDirtyPacketInFieldOrder)
{
    StandInHost host;
    AAX_VController controller(host.RunTime());
    ParamPacketDispatcher dispatcher;
    EXPECT_EQ(dispatcher.MarkDirty("1", true), 0);  // no packets: nothing to do
    EXPECT_EQ(dispatcher.DispatchDirty(), 0);

    CountingHandler posting(dispatcher);
    CountingHandler holding(dispatcher, 5);
    dispatcher.Bind(&controller);
    dispatcher.AddPacket(9, "1", &posting);
    dispatcher.AddPacket(6, "1", &posting);
    dispatcher.AddPacket(6, "2", &holding);  // the packet keeps its first handler
    dispatcher.AddPacket(4, "3", &holding);
    dispatcher.MarkDirty("1", true);
    dispatcher.MarkDirty("3", true);
    dispatcher.MarkDirty("3", false);
    EXPECT_EQ(dispatcher.DispatchDirty(), 0);
    EXPECT_EQ(posting.ids, (std::vector<uint32_t>{6, 9}));
    EXPECT_TRUE(holding.ids.empty());
    EXPECT_EQ(host.Calls(), (Lines{"runtime1.PostPacket(6, 1)", "runtime1.PostPacket(9, 1)"}));

    EXPECT_EQ(dispatcher.DispatchDirty(), 0);  // flags cleared
    EXPECT_EQ(host.Calls().size(), 2u);

    host.Fail(kIID_Controller, -7);
    dispatcher.MarkDirty("2", true);
    EXPECT_EQ(dispatcher.DispatchDirty(), -7);
    EXPECT_EQ(host.Calls().back(), "runtime1.PostPacket(6, 2)");
}

}  // namespace
