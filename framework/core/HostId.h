#pragma once

#include <cstdint>

// The host application, as IdentifyHost finds it in the host's name.
enum HostId : int32_t
{
    kHostUninit = -1,  // before IPlugBase::SetHost
    kHostUnknown = 0,
    kHostReaper = 1,
    kHostProTools = 2,
    kHostCubase = 3,
    kHostNuendo = 4,
    kHostCakewalk = 5,
    kHostFruity = 7,
    kHostSamplitude = 8,
    kHostLive = 9,
    kHostMelodyne = 12,
    kHostVSTManLib = 13,
    kHostAULab = 14,
    kHostForte = 15,
    kHostChainer = 16,
    kHostAudition = 17,
    kHostOrion = 18,
    kHostSAWStudio = 20,
    kHostLogic = 21,
    kHostGarageBand = 22,
    kHostDigital = 23,
    kHostStandalone = 24,
    kHostAudioMulch = 25,
    kHostPresonus = 26,
    kHostVST3TestHost = 27,
    kHostArdour = 28,
    kHostWavelab = 29,
    kHostReason = 30,
    kHostGWVST = 31,
};

// Lower-cases the name (up to 255 bytes) and returns the host of the first
// known substring found in it, in a fixed order (so a name holding two takes
// the earlier); kHostUnknown when none occurs or name is null.
HostId IdentifyHost(const char* name);
