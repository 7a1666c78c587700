#pragma once
// A plain colour panel: fills its draw area with one colour, combined as the
// control's blend says. No parameter; takes no input of its own. [UI thread]

#include "graphics/editor/IArgb.h"
#include "graphics/editor/IControl.h"

class IPanelControlSVG final : public IControl
{
public:
    IPanelControlSVG(IPlugBase* plug, const ILayoutBox& box, const IArgb& colour)
        : IControl(plug, box, -1, kBlendSourceAlpha, 1.0f), colour(colour)
    {
    }

    void Paint(IGraphics* graphics) override;

private:
    IArgb colour;
};
