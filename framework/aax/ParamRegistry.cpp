#include "framework/aax/ParamRegistry.h"

#include <cstring>

AAX_IParameter* ParamRegistry::Add(std::unique_ptr<AAX_IParameter> parameter)
{
    if (!parameter || byID.count(parameter->IDText()) != 0)
        return nullptr;
    ordered.reserve(ordered.size() + 1);
    AAX_IParameter* kept = parameter.get();
    byID.emplace(kept->IDText(), kept);
    ordered.push_back(parameter.release());
    kept->BindAutomationDelegate(automationDelegate);
    return kept;
}

AAX_IParameter* ParamRegistry::At(int32_t index) const
{
    return index >= 0 && index < Count() ? ordered[static_cast<size_t>(index)] : nullptr;
}

int32_t ParamRegistry::IndexOf(const char* id) const
{
    if (!id)
        return -1;
    for (size_t i = 0; i < ordered.size(); ++i)
        if (std::strcmp(ordered[i]->IDText(), id) == 0)
            return static_cast<int32_t>(i);
    return -1;
}

AAX_IParameter* ParamRegistry::FindByID(const char* id) const
{
    if (!id)
        return nullptr;
    const auto found = byID.find(id);
    return found == byID.end() ? nullptr : found->second;
}

void ParamRegistry::RemoveAll()
{
    byID.clear();
    std::vector<AAX_IParameter*> removed;
    removed.swap(ordered);
    for (AAX_IParameter* parameter : removed)
        delete parameter;
}
