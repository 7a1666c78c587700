#pragma once
// The description of one channel layout, handed to DescribeRenderComponent.
// A default-constructed setup is the reset state.

#include "platform/FourCharCode.h"

#include <cstdint>

struct AAXDescribeSetup
{
    static constexpr int32_t kMaxExtraEntries = 16;
    static constexpr uint32_t kNoID = FourCharCode("none");

    bool globalMidiOn = false;  // a MIDI node on context field 6
    const char* globalMidiName = "GlobalMIDI";
    uint32_t globalMidiMask = 0xFFFF;
    bool inputMidiOn = false;  // a MIDI node on context field 5
    const char* inputMidiName = "InputMIDI";
    uint32_t inputMidiMask = 0xFFFF;
    bool transportOn = false;  // the transport node on context field 7
    const char* transportName = "Transport";  // the node is always declared as "Transport"
    int32_t idListCount = 0;  // entries of the ID list of context field 9
    const uint32_t* idList = nullptr;
    int32_t extraEntryCount = 0;  // 0 to kMaxExtraEntries
    uint32_t extraFirst[kMaxExtraEntries] = {};
    uint32_t extraSecond[kMaxExtraEntries] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    uint32_t inputStemFormat = 1;
    uint32_t outputStemFormat = 1;
    bool declareProperty151 = false;
    uint8_t property60 = 1;
    uint32_t manufacturerID = kNoID;
    uint32_t productID = kNoID;
    uint32_t nativeID = kNoID;
    uint32_t audioSuiteID = kNoID;  // left out of the properties while kNoID
    uint32_t property56 = 0;
    bool sideChain = false;  // a side-chain input on context field 3
};
