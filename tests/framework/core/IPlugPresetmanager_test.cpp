#include "framework/core/IPlugPathes.h"
#include "support/TestPresetPlug.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Names(const IPlugBase& plug)
{
    std::vector<std::string> names;
    for (int32_t i = 0; i < plug.NPresets(); ++i)
        names.emplace_back(plug.PresetName(i));
    return names;
}

class PresetManager : public ::testing::Test
{
protected:
    PresetManager()
    {
        plug.UserPresetFolder().Set(folder.Path().c_str());
        plug.DefaultPresetFolder().Set(folder.Path().c_str());
    }

    // A valid program file of the plug-in with parameter 0 at gain.
    void WriteProgram(const std::string& name, double gain)
    {
        TestPlug writer;
        writer.GetParam(0)->SetValue(gain);
        ASSERT_TRUE(writer.SaveProgramFile(StringBuf((folder / name).c_str()), "prog"));
    }

    TempFolder folder;
    TestPresetPlug plug;
};

TEST_F(PresetManager, ScanTakesRegularFilesContainingFxpInNameOrder)
{
    WriteProgram("x.fxp", -1.0);
    WriteProgram("y.fxp.bak", -2.0);
    WriteProgram("Z.FXP", -3.0);
    WriteProgram("Upper.fxp", -4.0);
    WriteBytes(folder / "broken.fxp", "CcnK");
    ASSERT_EQ(mkdir((folder / "dir.fxp").c_str(), 0700), 0);
    ASSERT_EQ(symlink((folder / "x.fxp").c_str(), (folder / "link.fxp").c_str()), 0);
    ASSERT_EQ(mkfifo((folder / "pipe.fxp").c_str(), 0600), 0);
    WriteProgram("x.fxp.tmp4711-0", -5.0);  // left by a save cut short

    plug.BuildPresetList(true);
    EXPECT_EQ(plug.FactoryPresetCount(), 2);
    EXPECT_EQ(Names(plug), (std::vector<std::string>{"Quiet", "Choice 2", "empty 2", "Upper", "link", "x", "y.fxp"}))
        << "upper case sorts first in the C locale; links are followed; folders, pipes, refused files and the "
           "temporaries of a save add nothing";
    EXPECT_FALSE(plug.IsBusy());
    EXPECT_STREQ(plug.DefaultPreset()->name, "Factory Default");
    EXPECT_TRUE(plug.GetPreset(6)->fromFile);
}

TEST_F(PresetManager, RescanStartsOverFromBlankSlots)
{
    WriteProgram("b.fxp", -2.0);
    plug.BuildPresetList(true);
    ASSERT_EQ(plug.NPresets(), 4);
    WriteProgram("a.fxp", -1.0);
    plug.GetParam(2)->SetValue(1.0);
    plug.BuildPresetList(false);
    EXPECT_EQ(Names(plug), (std::vector<std::string>{"Quiet", "Choice 2", "empty 2", "a", "b"}));
    ASSERT_TRUE(plug.RecallPreset(0, false));
    EXPECT_EQ(plug.GetParam(2)->Value(), 1.0) << "factory presets take the values current at the rescan";
}

TEST_F(PresetManager, BuildingTheListAndScanningKeepTheValues)
{
    WriteProgram("a.fxp", -1.0);
    plug.GetParam(0)->SetValue(-7.0);
    plug.BuildPresetList(true);
    EXPECT_FALSE(plug.LoadDefaultPreset(plug.DefaultPresetFolder()));
    EXPECT_EQ(plug.GetParam(0)->Value(), -7.0);
    EXPECT_EQ(plug.GetCurrentPresetIdx(), 0);
}

TEST_F(PresetManager, DefaultPresetSavesAndLoadsThroughTheCurrentSlot)
{
    plug.BuildPresetList(true);
    ASSERT_TRUE(plug.RecallPreset(1, false));
    plug.GetParam(0)->SetValue(-15.0);
    ASSERT_TRUE(plug.SaveDefaultPreset(plug.DefaultPresetFolder()));
    EXPECT_EQ(ReadBytes(folder / "default.fxp").substr(28, 9), std::string("Choice 2\0", 9));

    plug.GetParam(0)->SetValue(0.0);
    ASSERT_TRUE(plug.RecallPreset(0, false));
    ASSERT_TRUE(plug.LoadDefaultPreset(plug.DefaultPresetFolder()));
    EXPECT_EQ(plug.GetParam(0)->Value(), -15.0);
    EXPECT_STREQ(plug.PresetName(0), "Choice 2") << "the current slot takes the file under its program name";

    EXPECT_FALSE(plug.SaveDefaultPreset(StringBuf()));
    EXPECT_FALSE(plug.LoadDefaultPreset(StringBuf())) << "never a default.fxp of the working folder";
}

TEST_F(PresetManager, MarkPresetParamsSetsExactlyTheTablesMembers)
{
    const PresetParamEntry table[] = {
        {"kCount", 1, kParamInt, "%d"}, {"kNone", 9, kParamInt, "%d"}, {"kScale", 3, kParamDouble, "%.1lf"}, {}};
    plug.MarkPresetParams(4, table);
    EXPECT_FALSE(plug.GetParam(0)->PresetMember());
    EXPECT_TRUE(plug.GetParam(1)->PresetMember());
    EXPECT_FALSE(plug.GetParam(2)->PresetMember());
    EXPECT_TRUE(plug.GetParam(3)->PresetMember());
}

TEST_F(PresetManager, DataFoldersEndInASlashWithoutDoubledSeparators)
{
    TempFolder home;
    const std::string data = home / "data/";
    DataHomeOverride env(data.c_str(), home.Path().c_str());
    IPlugPathes pathes;
    StringBuf product, format;
    pathes.BuildDataPath();
    pathes.GetProductFolder(&product);
    EXPECT_STREQ(product.Get(), "") << "no owner, no folders";

    pathes.SetOwner(&plug);
    pathes.BuildDataPath();
    pathes.GetProductFolder(&product);
    pathes.GetFormatFolder(&format);
    EXPECT_EQ(std::string(product.Get()), data + "Test/");
    EXPECT_EQ(std::string(format.Get()), data + "Test/AAX/");
    struct stat st;
    EXPECT_EQ(stat(format.Get(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
}

TEST_F(PresetManager, WithoutADataFolderTheFoldersStayEmpty)
{
    DataHomeOverride env(nullptr, nullptr);
    IPlugPathes pathes;
    pathes.SetOwner(&plug);
    pathes.BuildDataPath();
    StringBuf product;
    pathes.GetProductFolder(&product);
    EXPECT_STREQ(product.Get(), "");
}

}  // namespace
