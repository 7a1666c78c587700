#include "host/StandInHost.h"

#include "host/HostFactoryObject.h"
#include "host/HostRunTimeObject.h"

#include <cstdio>
#include <cstring>

std::string FormatTextV(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    const int size = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (size <= 0)
        return {};
    std::string text(static_cast<size_t>(size), '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, args);
    return text;
}

std::string FormatText(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    return text;
}

StandInHost::StandInHost()
    : factory(new HostFactoryObject(*this)), runTime(new HostRunTimeObject(*this)), viewObject(new HostViewObject(*this))
{
}

StandInHost::~StandInHost()
{
    viewObject->Relinquish();
    runTime->Relinquish();
    factory->Relinquish();
}

IACFUnknown* StandInHost::Unknown() const { return factory->Unknown(); }

IACFUnknown* StandInHost::RunTime() const { return runTime->Unknown(); }

IACFUnknown* StandInHost::View() const { return viewObject->Unknown(); }

StandInHost::Switch& StandInHost::SwitchFor(const ACFUID& iid)
{
    for (Switch& entry : switches)
        if (entry.iid == iid)
            return entry;
    switches.push_back(Switch{iid});
    return switches.back();
}

const StandInHost::Switch* StandInHost::FindSwitch(const ACFUID& iid) const
{
    for (const Switch& entry : switches)
        if (entry.iid == iid)
            return &entry;
    return nullptr;
}

void StandInHost::Withhold(const ACFUID& iid) { SwitchFor(iid).offered = false; }

void StandInHost::Fail(const ACFUID& iid, int32_t code) { SwitchFor(iid).failure = code; }

bool StandInHost::Offers(const ACFUID& iid) const
{
    const Switch* entry = FindSwitch(iid);
    return !entry || entry->offered;
}

int32_t StandInHost::Outcome(const ACFUID& iid) const
{
    const Switch* entry = FindSwitch(iid);
    return entry ? entry->failure : 0;
}

void StandInHost::Log(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string line = FormatTextV(format, args);
    va_end(args);
    std::lock_guard<std::mutex> guard(logLock);
    record.calls.push_back(std::move(line));
}

std::string StandInHost::NextLabel(const char* kind)
{
    for (auto& [name, count] : labelCounts)
        if (name == kind)
            return name + std::to_string(++count);
    labelCounts.emplace_back(kind, 1);
    return std::string(kind) + "1";
}
