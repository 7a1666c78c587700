#include "editor/MeterViewText.h"

#include "engines/Decibels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kBarFloorDb = -60.0;
constexpr double kBarTopDb = 12.0;
constexpr double kIntegratedGateLufs = -70.0;

std::string Number(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1lf", v);
    return text;
}

// A reading above its floor, less the reference level while the offset is on.
std::string Reading(double value, double floor, bool offset, double refLevel)
{
    if (!(value > floor) || !std::isfinite(value))
        return "-inf";
    return Number(offset ? value - refLevel : value);
}

}  // namespace

std::string ReadoutText(int32_t row, const MeterSnapshot& v)
{
    const bool rmsOffset = v.rmsOffset != 0;
    const bool ebuOffset = v.ebuOffset != 0;
    switch (row)
    {
    // The RMS rows show "-inf" only at the engine's floor, whatever the
    // reference level: the bars and the host's outputs show the level too.
    case 0: return Reading(v.rmsIntegratedDb, kFloorDb, rmsOffset, v.rmsRefLevel);
    case 1: return Reading(v.rmsDb, kFloorDb, rmsOffset, v.rmsRefLevel);
    case 2: return Reading(v.rmsMaxDb, kFloorDb, rmsOffset, v.rmsRefLevel);
    case 3: return Reading(v.peakMaxDb, kFloorDb, false, 0.0);
    case 4: return Reading(v.rmsTruePeakMaxDb, kFloorDb, false, 0.0);
    case 5: return v.crestDb > 0.0 && std::isfinite(v.crestDb) ? Number(v.crestDb) : "0.0";
    case 6:
        return v.integratorHasData ? Reading(v.integratedLufs, kIntegratedGateLufs, ebuOffset, v.ebuRefLevel) : "---";
    case 7: return v.shortTermFilled ? Reading(v.shortTermLufs, kFloorDb, ebuOffset, v.ebuRefLevel) : "---";
    case 8: return v.shortTermFilled ? Reading(v.shortTermMaxLufs, kFloorDb, ebuOffset, v.ebuRefLevel) : "---";
    case 9: return v.momentaryFilled ? Reading(v.momentaryLufs, kFloorDb, ebuOffset, v.ebuRefLevel) : "---";
    case 10: return v.momentaryFilled ? Reading(v.momentaryMaxLufs, kFloorDb, ebuOffset, v.ebuRefLevel) : "---";
    case 11: return Reading(v.ebuTruePeakMaxDb, kFloorDb, false, 0.0);
    case 12: return v.rangeHasBlocks ? Reading(v.rangeLu, kFloorDb, false, 0.0) : "---";
    default: return "";
    }
}

double BarUnitValue(double valueDb)
{
    if (std::isnan(valueDb))
        return 0.0;
    return (std::clamp(valueDb, kBarFloorDb, kBarTopDb) - kBarFloorDb) / (kBarTopDb - kBarFloorDb);
}

std::string HeldPeakText(double holdDb)
{
    const double h = RoundToTenth(holdDb);
    if (!(h > kFloorDb) || !std::isfinite(h))
        return "-inf";
    return " " + Number(h);
}

bool LampLit(double holdDb) { return RoundToTenth(holdDb) > 0.0 && std::isfinite(holdDb); }
