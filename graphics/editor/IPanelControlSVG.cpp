#include "graphics/editor/IPanelControlSVG.h"

#include "graphics/editor/IGraphics.h"

void IPanelControlSVG::Paint(IGraphics* graphics)
{
    if (!graphics)
        return;
    const IBlend blend = Blend();
    graphics->FillBounds(colour, DrawArea(), &blend);
}
