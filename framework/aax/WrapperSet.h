#pragma once
// The child wrappers a description wrapper owns: made on demand, deleted with
// their owner.

#include <memory>
#include <utility>
#include <vector>

template <class Wrapper>
class WrapperSet
{
public:
    // Throws std::bad_alloc when memory runs out.
    template <class... Args>
    Wrapper* Make(Args&&... args)
    {
        auto made = std::make_unique<Wrapper>(std::forward<Args>(args)...);
        Wrapper* result = made.get();
        items.push_back(std::move(made));
        return result;
    }

private:
    std::vector<std::unique_ptr<Wrapper>> items;
};
