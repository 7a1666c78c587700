// Sonvarek: the face artwork, built once by the constructor into the
// plug-in's scene (the groups themselves: FaceArt.cpp) and rescaled with the
// editor.
#include "plugin/Sonvarek.h"

#include "editor/FaceArt.h"

void FaceArtDelete::operator()(ShapeScene* scene) const { delete scene; }

void Sonvarek::BuildFaceArt()
{
    if (!faceArt)
        faceArt.reset(new ShapeScene);
    ::BuildFaceArt(*faceArt);
}

void Sonvarek::BuildPeakBarArt(int32_t group)
{
    if (faceArt)
        ::BuildPeakBarArt(*faceArt, group);
}

void Sonvarek::BuildLampArt(int32_t group)
{
    if (faceArt)
        ::BuildLampArt(*faceArt, group);
}

Shape* Sonvarek::AddTextLayer(int32_t group) { return faceArt ? ::AddTextLayer(*faceArt, group) : nullptr; }

void Sonvarek::ScaleFaceArt()
{
    if (faceArt)
        faceArt->SetScale(scaleX, scaleY);
}
