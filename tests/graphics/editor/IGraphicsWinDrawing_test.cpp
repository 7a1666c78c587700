#include "support/WindowFixture.h"


namespace {

class Drawing : public WindowFixture
{
protected:
    uint32_t At(int x, int y) const { return desktop.WindowImage(window).At(x, y); }
    // A dark background with a red control on the left and a blue one on
    // the right, shown and drawn once.
    void OpenBackLeftRight()
    {
        back = Add({0, 0, 0, 0, 200, 0, 100, 0}, -1, {255, 30, 30, 30});
        left = Add({10, 0, 10, 0, 40, 0, 40, 0}, -1, {255, 200, 0, 0});
        right = Add({120, 0, 10, 0, 40, 0, 40, 0}, -1, {255, 0, 0, 200});
        Open();
        Tick();
    }

    TestControl* back = nullptr;
    TestControl* left = nullptr;
    TestControl* right = nullptr;
};

TEST_F(Drawing, ATickRedrawsOnlyWhatChanged)
{
    OpenBackLeftRight();
    EXPECT_EQ(At(20, 20), 0xFFC80000u);
    EXPECT_EQ(At(130, 20), 0xFF0000C8u);
    EXPECT_EQ(At(90, 70), 0xFF1E1E1Eu);

    // Both change colour, only the left one says so.
    left->colour = {255, 0, 200, 0};
    right->colour = {255, 200, 200, 0};
    left->AcceptPlugValue(0.1);
    left->AcceptPlugValue(0.2);
    const int32_t backPaints = back->paints;
    Tick();
    EXPECT_EQ(At(20, 20), 0xFF00C800u);
    EXPECT_EQ(At(130, 20), 0xFF0000C8u) << "an unchanged control is not redrawn";
    EXPECT_EQ(right->paints, 1);
    EXPECT_EQ(back->paints, backPaints + 1) << "what lies below the changed area repaints";
    const int32_t settled = back->paints;
    for (int i = 0; i < 5; ++i)
        Tick();
    EXPECT_EQ(back->paints, settled) << "quiet ticks draw nothing";

    // Hiding a control repaints what lies below it.
    left->SetHidden(true);
    Tick();
    EXPECT_EQ(At(20, 20), 0xFF1E1E1Eu);
}

TEST_F(Drawing, ChangesFarApartArePaintedApart)
{
    OpenBackLeftRight();
    back->colour = {255, 0, 0, 0};  // unmarked: shows only where something repaints it
    left->AcceptPlugValue(0.1);
    left->AcceptPlugValue(0.2);
    right->AcceptPlugValue(0.1);
    right->AcceptPlugValue(0.2);
    const int32_t backPaints = back->paints;
    Tick();
    EXPECT_EQ(back->paints, backPaints + 2) << "below each of the two";
    EXPECT_EQ(At(90, 20), 0xFF1E1E1Eu) << "not between them";
}

TEST_F(Drawing, APaintRequestWithNoControlsIsAnswered)
{
    Open();
    InvalidateRect(window, nullptr, FALSE);
    EXPECT_LT(desktop.Pump(10), 10) << "the paint is not asked for again and again";
    RECT r;
    EXPECT_FALSE(GetUpdateRect(window, &r, FALSE));
}

}  // namespace
