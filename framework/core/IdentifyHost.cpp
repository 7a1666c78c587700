#include "framework/core/HostId.h"
#include "framework/core/ToLowerCopy.h"

#include <cstring>

namespace {

struct HostPattern
{
    const char* substring;
    HostId id;
};

// Searched in this order; the first that occurs decides.
constexpr HostPattern kHostPatterns[] = {
    {"cubase", kHostCubase},
    {"reaper", kHostReaper},
    {"nuendo", kHostNuendo},
    {"cakewalk", kHostCakewalk},
    {"samplitude", kHostSamplitude},
    {"fruity", kHostFruity},
    {"live", kHostLive},
    {"melodyne", kHostMelodyne},
    {"vstmanlib", kHostVSTManLib},
    {"aulab", kHostAULab},
    {"garageband", kHostGarageBand},
    {"forte", kHostForte},
    {"chainer", kHostChainer},
    {"audition", kHostAudition},
    {"orion", kHostOrion},
    {"sawstudio", kHostSAWStudio},
    {"logic", kHostLogic},
    {"digital", kHostDigital},
    {"audiomulch", kHostAudioMulch},
    {"presonus", kHostPresonus},
    {"vst3plugintesthost", kHostVST3TestHost},
    {"protools", kHostProTools},
    {"ardour", kHostArdour},
    {"standalone", kHostStandalone},
    {"wavelab", kHostWavelab},
    {"reason", kHostReason},
    {"gwvst", kHostGWVST},
};

}  // namespace

HostId IdentifyHost(const char* name)
{
    char lower[256];
    ToLowerCopy(lower, sizeof lower, name);
    for (const HostPattern& p : kHostPatterns)
        if (std::strstr(lower, p.substring))
            return p.id;
    return kHostUnknown;
}
