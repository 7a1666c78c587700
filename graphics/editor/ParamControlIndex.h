#pragma once
// Which controls of the editor surface follow which plug-in parameter: the
// controls bound to it, by parameter, and the controls that follow further
// parameters as auxiliary ones. The value fan-out reads it instead of
// asking every control (most values the host echoes, the meter's outputs,
// reach none). It changes only with the control list, under the plug-in
// lock, as the list does (see IGraphics.h for the pushes that read it from
// other threads).

#include <cstdint>
#include <vector>

class ParamControlIndex
{
public:
    // Control controlIdx, bound to paramIdx (none when negative), follows
    // auxiliary parameters when follower is set (listed once). Throws
    // std::bad_alloc without a change when memory runs out.
    void Add(int32_t controlIdx, int32_t paramIdx, bool follower);
    void Clear();
    // The controls bound to paramIdx in list order; null for none.
    const std::vector<int32_t>* Bound(int32_t paramIdx) const;
    // The controls with auxiliary parameters, in the order they were added.
    const std::vector<int32_t>& Followers() const { return followers; }

private:
    std::vector<std::vector<int32_t>> bound;  // by parameter index
    std::vector<int32_t> followers;
};
