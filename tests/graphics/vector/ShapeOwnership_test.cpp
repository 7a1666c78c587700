// Deleting a scene frees every group, layer, shape and stop, each once (a
// second free would be caught by the sanitizer build).
#include "tests/support/CountAllocations.h"

#include "graphics/vector/ShapeScene.h"

#include <gtest/gtest.h>

namespace {

TEST(ShapeScene, DeletingTheSceneFreesEverythingItHolds)
{
    const long before = LiveAllocations();
    long made = 0;
    {
        CountAllocations count;
        ShapeScene* scene = new ShapeScene;
        scene->AddGroups(4);
        for (int32_t g = 0; g < 4; ++g)
        {
            for (int32_t l = 0; l < 3; ++l)
            {
                ShapeList* layer = new ShapeList;
                for (int32_t s = 0; s < g + 1; ++s)
                {
                    Shape* shape = layer->AddText("text that needs a block", "Face", 10, 0, 0, 1, 1, 0);
                    shape->fill.AddStop("#ff0000", 255, 0.0);
                    shape->fill.AddStop("#0000ff", 255, 1.0);
                }
                scene->Get(g)->AddLayer(layer);
            }
        }
        made = count.Count();
        delete scene;
    }
    // 1 scene, 4 groups, 12 layers, 30 shapes and 60 stops at least.
    EXPECT_GE(made, 107);
    EXPECT_EQ(LiveAllocations(), before);
}

}  // namespace
