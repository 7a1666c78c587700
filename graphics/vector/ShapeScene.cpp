#include "graphics/vector/ShapeScene.h"

ShapeScene::~ShapeScene() { groups.DeleteAll(); }

bool ShapeScene::AddGroups(int32_t n)
{
    for (int32_t i = 0; i < n; ++i)
    {
        ShapeGroup* g = new ShapeGroup;
        if (!groups.Add(g))
        {
            delete g;
            return false;
        }
    }
    return true;
}

void ShapeScene::SetScale(double sx, double sy)
{
    for (int32_t i = 0; i < groups.GetSize(); ++i)
        groups.Get(i)->SetScale(sx, sy);
}

void ShapeScene::EnableBlur(bool on)
{
    for (int32_t i = 0; i < groups.GetSize(); ++i)
        groups.Get(i)->EnableBlur(on);
}

void ShapeScene::EnableShadowBlur(bool on)
{
    for (int32_t i = 0; i < groups.GetSize(); ++i)
        groups.Get(i)->EnableShadowBlur(on);
}
