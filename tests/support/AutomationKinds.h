#pragma once
// The automation an instance of the stand-in host recorded for one
// parameter, as letters in order: T touch, Q request, R release, P report.

#include "host/HostAutomation.h"

#include <string>
#include <vector>

inline std::string AutomationKinds(const std::vector<HostAutomationEvent>& events, const char* id)
{
    std::string kinds;
    for (const HostAutomationEvent& e : events)
        if (e.id == id)
            kinds += e.kind == HostAutomationEvent::kTouch     ? 'T'
                     : e.kind == HostAutomationEvent::kRequest ? 'Q'
                     : e.kind == HostAutomationEvent::kRelease ? 'R'
                                                               : 'P';
    return kinds;
}
