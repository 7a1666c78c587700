// The binding's render path allocates nothing: every allocation of this
// program is counted.

#include "host/HostContextNodes.h"
#include "host/LookupAs.h"
#include "host/StandInHost.h"
#include "platform/ACFInterfaceIDs.h"
#include "support/TestPlugAAX.h"
#include "support/TestSession.h"
#include "tests/support/CountAllocations.h"

#include <gtest/gtest.h>

namespace {

TEST(IPlugAAXAllocation, RenderCallsAllocateNothingProcessedBypassedOrPublishing)
{
    StandInHost host;
    host.Withhold(kIID_AutomationDelegate);  // the stand-in host's own records would allocate
    TestPlugRef plug;
    ASSERT_EQ(plug->AttachToHost(host.RunTime()), 0);

    auto* transport = LookupAs<AAX_IHostTransport>(host.RunTime(), kIID_Transport);
    auto* transport2 = LookupAs<AAX_IHostTransport2>(host.RunTime(), kIID_Transport2);
    ASSERT_TRUE(transport && transport2);
    HostTransportNode node(host, *transport, *transport2);
    void* field = nullptr;
    ASSERT_EQ(plug->PrepareFieldData(kAAXFieldInstance, &field, sizeof field), 0);
    const int32_t frames = 3 * IPlugAAX::kBlockSize + 7;  // sub-blocks, and a publication at frame 2400
    TestAudio in(2, frames, 0.25f);
    TestAudio out(2, frames);
    AAXRenderContext context = {};
    context.inputs = in.Buffers();
    context.outputs = out.Buffers();
    context.frameCount = &frames;
    context.transport = &node;
    context.instance = &field;
    AAXRenderContext* contexts[] = {&context};

    for (double bypass : {0.0, 1.0})
    {
        ASSERT_EQ(plug->ApplyHostParamValue("MasterBypassID", bypass, 0), 0);
        CountAllocations count;
        AAX_CIPlugParameters::RenderInstances(contexts, contexts + 1);
        EXPECT_EQ(count.Count(), 0) << bypass;
    }
    EXPECT_EQ(plug->blocks, 4);
    EXPECT_EQ(plug->transport.tempo, host.stream.tempo);

    transport2->Relinquish();
    transport->Relinquish();
    ASSERT_EQ(plug->DetachFromHost(), 0);
}

}  // namespace
