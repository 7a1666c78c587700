#include "graphics/editor/ParamControlIndex.h"

#include <algorithm>

void ParamControlIndex::Add(int32_t controlIdx, int32_t paramIdx, bool follower)
{
    follower = follower && std::find(followers.begin(), followers.end(), controlIdx) == followers.end();
    // Everything that can fail first.
    if (paramIdx >= 0 && static_cast<size_t>(paramIdx) >= bound.size())
        bound.resize(static_cast<size_t>(paramIdx) + 1);
    std::vector<int32_t>* controls = paramIdx >= 0 ? &bound[static_cast<size_t>(paramIdx)] : nullptr;
    if (controls)
        controls->reserve(controls->size() + 1);
    if (follower)
        followers.reserve(followers.size() + 1);
    if (controls)
        controls->push_back(controlIdx);
    if (follower)
        followers.push_back(controlIdx);
}

void ParamControlIndex::Clear()
{
    bound.clear();
    followers.clear();
}

const std::vector<int32_t>* ParamControlIndex::Bound(int32_t paramIdx) const
{
    if (paramIdx < 0 || static_cast<size_t>(paramIdx) >= bound.size() || bound[static_cast<size_t>(paramIdx)].empty())
        return nullptr;
    return &bound[static_cast<size_t>(paramIdx)];
}
