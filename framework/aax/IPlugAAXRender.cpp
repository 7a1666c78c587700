// IPlugAAX: the render path.

#include "framework/aax/IPlugAAX.h"

#include "platform/AAXDescriptionCodes.h"

int32_t IPlugAAX::StemChannels(int32_t (AAX_IController::*query)(uint32_t*)) const
{
    AAX_IController* controller = Controller();
    uint32_t format = 0;
    if (!controller || (controller->*query)(&format) != 0)
        return 0;
    return AAXStemChannelCount(format);
}

void IPlugAAX::ReadMidi(const AAXRenderContext& context)
{
    auto* node = static_cast<AAX_IHostMidiNode*>(context.inputMidi);
    const AAXMidiPacketBuffer* buffer = node ? node->Packets() : nullptr;
    if (!buffer || !buffer->packets)
        return;
    for (uint32_t i = 0; i < buffer->packetCount; ++i)
    {
        const AAXMidiPacket& packet = buffer->packets[i];
        IMidiMessage message;
        message.offset = static_cast<int32_t>(packet.timeStamp);
        message.status = packet.status;
        message.data1 = packet.data1;
        message.data2 = packet.data2;
        HandleMidiMessage(message);
    }
}

// The first inputs (and the side chain after them) and outputs the host's
// stem formats name take the host's buffers; the rest are disconnected and
// read or write silence of their own.
void IPlugAAX::ConnectChannels(const AAXRenderContext& context, int32_t frames)
{
    const int32_t inputs = StemChannels(&AAX_IController::InputStemFormat);
    const int32_t outputs = StemChannels(&AAX_IController::OutputStemFormat);
    const bool sideChain = sideChainInputs > 0 && context.sideChainConnected && *context.sideChainConnected != 0;
    if (sideChain != sideChainConnected)
    {
        ZeroScratchBuffers();
        sideChainConnected = sideChain;
    }
    const int32_t connectedInputs = inputs + (sideChain ? 1 : 0);
    SetInputChannelConnections(0, connectedInputs, true);
    SetInputChannelConnections(connectedInputs, NInChannels() - connectedInputs, false);
    AttachInputBuffers(0, NInChannels(), context.inputs, frames);
    SetOutputChannelConnections(0, outputs, true);
    SetOutputChannelConnections(outputs, NOutChannels() - outputs, false);
    AttachOutputBuffers(0, NOutChannels(), context.outputs);
}

void IPlugAAX::RenderCallback(const AAXRenderContext& context)
{
    PlatformLockGuard guard(GetLock());
    const bool bypass = IsBypassed();
    if (TakesMidi())
        ReadMidi(context);
    hostTransport = context.transport ? context.transport->Transport() : nullptr;
    const int32_t frames = context.frameCount ? *context.frameCount : 0;
    if (frames < 0)
        return;
    ConnectChannels(context, frames);
    SetLastBypass(bypass);
    if (bypass)
        PassThroughBuffersFloat(frames);
    else
        ProcessBuffersFloat(frames);
}
