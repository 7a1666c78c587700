#pragma once
// An editor for tests of the plug-in base and the binding: records what the
// plug-in pushes to its controls and, when asked, counts its own deletion.

#include "framework/core/IEditorLink.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TestEditorLink final : public IEditorLink
{
public:
    struct Push
    {
        int32_t idx;
        double value;
        bool isUnit;
    };

    explicit TestEditorLink(int* deletions = nullptr) : deletions(deletions) {}
    ~TestEditorLink() override
    {
        if (deletions)
            ++*deletions;
    }

    void PushParamToControls(int32_t idx, double value, bool isUnit) override { pushes.push_back({idx, value, isUnit}); }
    void CreateDrawBitmaps() override { bitmapsMadeAfterPushes = pushes.size(); }

    std::vector<Push> pushes;
    // How many pushes had come when the bitmaps were made.
    size_t bitmapsMadeAfterPushes = 0;

private:
    int* deletions;
};
