#pragma once
// The automation of parameter values as an instance of the stand-in host
// records it: touch, request, release and report, in the order the module
// made them.

#include <cstdint>
#include <string>

struct HostAutomationEvent
{
    enum Kind
    {
        kTouch,
        kRequest,  // the module asks for a value
        kRelease,
        kReport,  // the module tells the host a value it took
    };

    Kind kind = kTouch;
    std::string id;
    double value = 0.0;  // normalised; requests and reports only

    bool operator==(const HostAutomationEvent& other) const
    {
        return kind == other.kind && id == other.id && value == other.value;
    }
};

// Receives the automation calls of one instance's run-time object; any
// thread (the module requests values on the audio thread too).
class HostAutomationSink
{
public:
    virtual void OnAutomation(HostAutomationEvent::Kind kind, const char* id, double value) = 0;

protected:
    ~HostAutomationSink() = default;
};
