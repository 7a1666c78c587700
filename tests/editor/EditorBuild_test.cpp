// The editor's construction: every control in its place, its group list and
// table slot, and the layout at the editor scales.
#include "graphics/editor/IPanelControlSVG.h"
#include "graphics/vector/IBitmapControl_SVG1.h"
#include "graphics/vector/ISVGKnobControl.h"
#include "graphics/vector/ISVGResizeControl.h"
#include "graphics/vector/ITextControl_SVG1.h"
#include "plugin/MeterParamIndex.h"
#include "support/EditorSession.h"
#include "tests/support/CairoStaticData.h"

#include <ostream>
#include <set>

void PrintTo(const IBounds& b, std::ostream* os) { *os << "{" << b.L << ", " << b.T << ", " << b.R << ", " << b.B << "}"; }

namespace {

using Tables = SonvarekEditorTables;

class EditorBuild : public EditorSession
{
protected:
    IBounds Area(int32_t idx) const { return Editor().ControlAt(idx)->DrawArea(); }
    int32_t Bar(int32_t k) const { return Tables().BarTable[Tables::kBarSlot + k]; }
    int32_t Corner() const { return Editor().ControlCount() - 1; }
    // Scale s through "GUI Scale", carried out as the editor opens.
    void OpenAtScale(const char* scale)
    {
        SetFromHost(kGUIScale, scale);
        Open();
        Tick();
    }
};

template <class T>
bool Is(const IGraphics& editor, int32_t idx)
{
    return dynamic_cast<const T*>(editor.ControlAt(idx)) != nullptr;
}

TEST_F(EditorBuild, EveryControlIsRecordedInItsListAndSlot)
{
    const IGraphics& editor = Editor();
    ASSERT_EQ(editor.ControlCount(), 175);
    ASSERT_EQ(Tables().RmsGroupList.size(), 57u);
    ASSERT_EQ(Tables().EbuGroupList.size(), 53u);
    EXPECT_EQ(Tables().RmsGroupList.front(), 0) << "the orange panel";
    EXPECT_EQ(Tables().EbuGroupList.front(), 1) << "the blue panel";
    EXPECT_TRUE(Is<IPanelControlSVG>(editor, 0));
    std::set<int32_t> rms(Tables().RmsGroupList.begin(), Tables().RmsGroupList.end());
    for (int32_t idx : Tables().EbuGroupList)
        EXPECT_EQ(rms.count(idx), 0u) << idx << " in both lists";

    for (int32_t slot = 0; slot < Tables::kReadoutSlots; ++slot)
        EXPECT_TRUE(Is<ITextControl_SVG1>(editor, Tables().ReadoutTable[slot])) << "read-out slot " << slot;
    for (int32_t k = 0; k < Tables::kBars; ++k)
    {
        EXPECT_TRUE(Is<ISVGKnobControl>(editor, Bar(k)));
        EXPECT_TRUE(Is<IBitmapControl_SVG1>(editor, Tables().BarTable[Tables::kLampSlot + k]));
        EXPECT_TRUE(Is<ITextControl_SVG1>(editor, Tables().BarTable[Tables::kBarTextSlot + k]));
        EXPECT_TRUE(Is<ITextControl_SVG1>(editor, Tables().BarTable[Tables::kChannelLabelSlot + k]));
    }
    EXPECT_EQ(ReadoutValue(0), "-144.0");
    EXPECT_EQ(ReadoutUnit(4), "dBTP");
    EXPECT_EQ(ReadoutUnit(12), "LU");
    EXPECT_EQ(BarText(5), "-144.0");
    EXPECT_EQ(Tables().ResizeControl, editor.ControlAt(Corner())) << "last, so it is hit first";
    EXPECT_TRUE(Is<ISVGResizeControl>(editor, Corner()));
}

TEST_F(EditorBuild, AtScaleOneEveryControlSitsAtItsDesignPixels)
{
    EXPECT_EQ(Area(Bar(0)), (IBounds{408, 112, 424, 328}));
    EXPECT_EQ(Area(Bar(5)), (IBounds{568, 112, 584, 328}));
    EXPECT_EQ(Area(Corner()), (IBounds{600, 336, 616, 352}));
    EXPECT_EQ(Area(0), (IBounds{0, 0, 616, 352}));
}

TEST_F(EditorBuild, AtScaleTwoTheCornerKeepsItsSizeAndItsAnchors)
{
    OpenAtScale("2.0");
    EXPECT_EQ(Editor().Width(), 1232);
    EXPECT_EQ(Area(Bar(0)), (IBounds{816, 224, 848, 656}));
    EXPECT_EQ(Area(Corner()), (IBounds{1216, 688, 1232, 704}));
}

TEST_F(EditorBuild, AtScaleOneAndAHalfTheFarEdgeIsTheScaledFarCoordinate)
{
    OpenAtScale("1.5");
    // The first title line of read-out 1 (15, 96, 125, 35): box, title, title, value.
    const int32_t title = Tables().ReadoutTable[0] - 2;
    EXPECT_EQ(Area(title), (IBounds{22, 144, 210, 196}));
}

TEST_F(EditorBuild, AtScaleThreeThePanelsFillTheEditor)
{
    OpenAtScale("3.0");
    EXPECT_EQ(Area(0), (IBounds{0, 0, 1848, 1056}));
    EXPECT_EQ(Area(1), (IBounds{0, 0, 1848, 1056}));
}

TEST_F(EditorBuild, OnlyRebuildZeroBuildsAndOnlyOneLaysOut)
{
    IGraphicsWin& editor = Editor();
    const IBounds before = Area(Bar(0));
    Editor().ControlAt(Bar(0))->SetArea({1, 2, 3, 4});
    Plug().BuildEditor(&editor, 2);
    Plug().BuildEditor(nullptr, 0);
    EXPECT_EQ(editor.ControlCount(), 175);
    EXPECT_EQ(Area(Bar(0)), (IBounds{1, 2, 3, 4})) << "nothing laid out";
    Plug().BuildEditor(&editor, 1);
    EXPECT_EQ(editor.ControlCount(), 175);
    EXPECT_EQ(Area(Bar(0)), before);
    EXPECT_EQ(Tables().RmsGroupList.size(), 57u);
}

}  // namespace
