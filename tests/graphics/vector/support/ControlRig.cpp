#include "ControlRig.h"

#include "graphics/raster/LICE_PaintRect.h"
#include "graphics/raster/LICE_SysBitmap.h"

Desktop& TheDesktop()
{
    static Desktop* desktop = new Desktop;  // lives as long as the font cache
    return *desktop;
}

ControlRig::ControlRig() : desktop(TheDesktop()), plug(new SurfacePlug)
{
    desktop.Services() = ScriptedServices();
    host = desktop.CreateHostWindow(kHostX, kHostY, 400, 300);
    surface = new IGraphicsWin(plug.get(), kWidth, kHeight, 30);
    surface->SetModuleInstance(reinterpret_cast<HINSTANCE>(&desktop));
    plug->AttachEditor(surface);
    surface->OpenEditorWindow(host);
    LICE_PaintRect(surface->BackBuffer(), 0, 0, kWidth, kHeight, kBackground, 1.0f, kCombineCopy);
}

ControlRig::~ControlRig()
{
    surface->CloseEditorWindow();
    plug.reset();
    DestroyWindow(host);
}

ShapeGroup* ControlRig::Frames(std::vector<IArgb> colours)
{
    auto* layer = new ShapeList;
    for (const IArgb& c : colours)
        layer->AddShape(0.0, 0.0)->fill.colour = c;
    groups.push_back(std::make_unique<ShapeGroup>());
    groups.back()->AddLayer(layer);
    return groups.back().get();
}

ShapeGroup* ControlRig::TextGroup()
{
    ShapeGroup* group = Frames({IArgb{0, 0, 0, 0}});
    auto* text = new ShapeList;
    text->AddText("", nullptr, 12, 0, 0, 1, 1, 0)->fill.colour = kRed;
    group->AddLayer(text);
    return group;
}

const char* ControlRig::GroupText(const ShapeGroup* group) const
{
    return group->Layer(group->LayerCount() - 1)->Get(0)->text.Get();
}

void ControlRig::Click(int x, int y, unsigned mods, MouseButton button)
{
    desktop.RunFor(kApartMs);
    desktop.Click(button, SX(x), SY(y), mods);
}

void ControlRig::DoubleClick(int x, int y)
{
    desktop.RunFor(kApartMs);
    desktop.DoubleClick(SX(x), SY(y));
}

void ControlRig::Drag(int x, int y, int dx, int dy, unsigned mods)
{
    desktop.RunFor(kApartMs);
    desktop.ButtonDown(MouseButton::Left, SX(x), SY(y), mods);
    desktop.MouseMove(SX(x + dx), SY(y + dy), mods);
    desktop.ButtonUp(MouseButton::Left, SX(x + dx), SY(y + dy), mods);
}

void ControlRig::Wheel(int x, int y, int notches, unsigned mods)
{
    desktop.MouseMove(SX(x), SY(y), mods);
    desktop.Wheel(SX(x), SY(y), notches * 120, mods);
}

void ControlRig::Redraw()
{
    LICE_PaintRect(surface->BackBuffer(), 0, 0, kWidth, kHeight, kBackground, 1.0f, kCombineCopy);
    surface->Draw(IBounds{0, 0, kWidth, kHeight});
}

uint32_t ControlRig::Pixel(int x, int y) const
{
    const LICE_SysBitmap* b = surface->BackBuffer();
    return b->PixelData()[static_cast<size_t>(y) * b->RowPixels() + x];
}

int ControlRig::Inked(const IBounds& area) const
{
    int n = 0;
    for (int y = area.T; y < area.B; ++y)
        for (int x = area.L; x < area.R; ++x)
            n += Pixel(x, y) != kBackground;
    return n;
}
