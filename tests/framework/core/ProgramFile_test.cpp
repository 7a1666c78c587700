#include "framework/core/ProgramFile.h"
#include "support/TestPlug.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

std::string Be32(uint32_t v)
{
    return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

std::string Float(float f)
{
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    return Be32(bits);
}

std::string Double(double d)
{
    std::string out(8, '\0');
    std::memcpy(out.data(), &d, 8);  // this machine is little-endian, as the state is
    return out;
}

// A header written independently of the code under test.
std::string Header(const char* kind, uint32_t count = 4, const char* id = "QZ17", uint32_t formatVersion = 1,
                   const char* magic = "CcnK")
{
    std::string name(28, '\0');
    std::memcpy(name.data(), "Loaded", 6);
    return std::string(magic, 4) + Be32(0) + std::string(kind, 4) + Be32(formatVersion) + std::string(id, 4) +
           Be32(1200) + Be32(count) + name;
}

// Gain -15.0, Count 3, Type 2, Scale 2.0 as unit values.
std::string Values() { return Float(0.75f) + Float(0.75f) + Float(1.0f) + Float(0.5f); }

std::string State() { return Double(-12.0) + Double(3.0) + Double(2.0) + Double(2.0); }

std::string VersionHeader() { return std::string("\x74\x66\x66\x70\x00\x00\x01\x00", 8); }

std::string ChunkFile(const std::string& chunk)
{
    return Header("FPCh") + Be32(static_cast<uint32_t>(chunk.size())) + chunk;
}

// The current preset index and the plain values.
std::string CurrentValues(const IPlugBase& plug)
{
    std::ostringstream out;
    out << std::hexfloat << plug.GetCurrentPresetIdx();
    for (int32_t i = 0; i < plug.NParams(); ++i)
        out << ' ' << plug.GetParam(i)->Value();
    return out.str();
}

// The names and states of the preset slots.
std::string PresetSlots(const IPlugBase& plug)
{
    std::string out;
    for (int32_t i = 0; i < plug.NPresets(); ++i)
        out += std::string(plug.PresetName(i)) + "=" +
               std::string(reinterpret_cast<const char*>(plug.GetPreset(i)->state.Data()),
                            static_cast<size_t>(plug.GetPreset(i)->state.Size())) + "|";
    return out;
}

class ProgramFiles : public ::testing::Test
{
protected:
    ProgramFiles()
    {
        plug.MakePresetFromPairs("First", {{0, -3.0}});
        plug.MakePresetFromPairs("Second", {});
        plug.RecallPreset(1, false);
        plug.changes.clear();
    }

    StringBuf Path(const std::string& name) const { return StringBuf((folder / name).c_str()); }

    bool Load(const std::string& bytes, bool applyOnly = false)
    {
        WriteBytes(folder / "p.fxp", bytes);
        return plug.LoadProgramFile(Path("p.fxp"), applyOnly);
    }

    // Loading bytes is refused and changes nothing, by both loaders.
    void ExpectRefused(const std::string& bytes, const std::string& what)
    {
        const std::string values = CurrentValues(plug);
        const std::string slots = PresetSlots(plug);
        EXPECT_FALSE(Load(bytes)) << what;
        EXPECT_FALSE(plug.LoadProgramFileAsPreset(Path("p.fxp"))) << what;
        EXPECT_EQ(CurrentValues(plug), values) << what;
        EXPECT_EQ(PresetSlots(plug), slots) << what;
        EXPECT_TRUE(plug.changes.empty()) << what;
        EXPECT_EQ(plug.programsLoaded, 0) << what;
    }

    TempFolder folder;
    TestPlug plug;
};

TEST_F(ProgramFiles, SavedFileHasTheDocumentedLayout)
{
    TestPlug big("1-1", 29, 17);
    big.GetParam(2)->SetValue(1.0);
    ASSERT_TRUE(big.SaveProgramFile(Path("big.fxp"), "Twenty-nine parameters in it"));
    const std::string bytes = ReadBytes(folder / "big.fxp");
    ASSERT_EQ(bytes.size(), 172u);
    std::string name(28, '\0');
    std::memcpy(name.data(), "Twenty-nine parameters in i", 27);
    EXPECT_EQ(bytes.substr(0, 56), std::string("CcnK") + Be32(0) + "FxCk" + Be32(1) + "QZ17" + Be32(1200) + Be32(29) + name);
    EXPECT_EQ(bytes.substr(56 + 8, 4), Float(0.5f)) << "unit value of the choice";

    ASSERT_TRUE(plug.SaveProgramFile(Path("n.fxp"), "abcdefghijklmnopqrstuvwxyz\xC3\xA9"));  // bytes 26-27: one letter
    EXPECT_EQ(ReadBytes(folder / "n.fxp").substr(28, 28), std::string("abcdefghijklmnopqrstuvwxyz") + std::string(2, '\0'))
        << "a name is cut without splitting a character";
}

TEST_F(ProgramFiles, RoundTripStoresIntoTheCurrentSlotUnderTheProgramName)
{
    plug.GetParam(0)->SetValue(-12.3);
    plug.GetParam(2)->SetValue(2.0);
    ASSERT_TRUE(plug.SaveProgramFile(Path("r.fxp"), "Round"));
    plug.GetParam(0)->SetValue(0.0);
    plug.GetParam(2)->SetValue(0.0);

    ASSERT_TRUE(plug.LoadProgramFile(Path("r.fxp"), false));
    EXPECT_EQ(plug.GetParam(2)->Value(), 2.0) << "a choice comes back exactly";
    EXPECT_NEAR(plug.GetParam(0)->Value(), -12.3, 60.0 * 1e-7) << "a double within single precision of its unit value";
    EXPECT_STREQ(plug.PresetName(1), "Round");
    EXPECT_EQ(plug.GetCurrentPresetIdx(), 1);
    EXPECT_GE(plug.changes.size(), 4u);
    EXPECT_EQ(plug.programsLoaded, 1);
    plug.GetParam(2)->SetValue(0.0);
    ASSERT_TRUE(plug.RecallPreset(1, false));
    EXPECT_EQ(plug.GetParam(2)->Value(), 2.0) << "the slot holds the file's values";
}

TEST_F(ProgramFiles, ApplyOnlyChangesValuesAndHooksButNoSlot)
{
    const std::string slots = PresetSlots(plug);
    ASSERT_TRUE(Load(Header("FxCk") + Values(), true));
    EXPECT_EQ(plug.GetParam(0)->Value(), -15.0);
    EXPECT_EQ(plug.GetParam(1)->Value(), 3.0);
    EXPECT_EQ(plug.changes, (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(PresetSlots(plug), slots);
}

TEST_F(ProgramFiles, FieldsThatAreNotReadMayHoldAnything)
{
    std::string bytes = Header("FxCk") + Values();
    bytes.replace(4, 4, Be32(0xDEADBEEF));
    bytes.replace(20, 4, Be32(7));
    EXPECT_TRUE(Load(bytes));
}

TEST_F(ProgramFiles, MismatchedHeadersAreRefused)
{
    ExpectRefused(Header("FxCk", 4, "QZ18") + Values(), "other plug-in ID");
    ExpectRefused(Header("FxCk", 4, "QZ17", 2) + Values(), "format version 2");
    ExpectRefused(Header("FxCk", 3) + Values().substr(0, 12), "parameter count 3");
    ExpectRefused(Header("FxCk", 4, "QZ17", 1, "CcnL") + Values(), "magic");
    ExpectRefused(Header("FxBk") + Values(), "other kind");
    ExpectRefused(ChunkFile(VersionHeader() + State()), "a chunk for a plug-in without chunks");
}

TEST_F(ProgramFiles, TheCheckNamesWhatARefusedFileGotWrong)
{
    const std::pair<std::string, ProgramFileFault> cases[] = {
        {Header("FxCk") + Values(), ProgramFileFault::kNone},
        {"", ProgramFileFault::kNotProgram},
        {Header("FxCk", 4, "QZ17", 1, "CcnL") + Values(), ProgramFileFault::kNotProgram},
        {Header("FxCk", 4, "QZ17", 2) + Values(), ProgramFileFault::kNotProgram},
        {Header("FxBk") + Values(), ProgramFileFault::kNotProgram},
        {Header("FxCk", 4, "QZ18") + Values(), ProgramFileFault::kOtherPlugin},
        {Header("FxCk", 3) + Values().substr(0, 12), ProgramFileFault::kParamCount},
        {ChunkFile(VersionHeader() + State()), ProgramFileFault::kChunkRefused},
        {Header("FxCk") + Values().substr(0, 15), ProgramFileFault::kSize},
        {Header("FxCk") + Values() + "x", ProgramFileFault::kSize},
        {Header("FxCk") + Float(0.5f) + Float(std::nanf("")) + Float(0.5f) + Float(0.5f),
         ProgramFileFault::kBadValues},
    };
    for (const auto& [bytes, fault] : cases)
    {
        WriteBytes(folder / "p.fxp", bytes);
        EXPECT_EQ(plug.CheckProgramFile(Path("p.fxp")), fault) << bytes.size();
    }
    EXPECT_EQ(plug.CheckProgramFile(Path("missing.fxp")), ProgramFileFault::kUnreadable);
    EXPECT_EQ(plug.CheckProgramFile(StringBuf(folder.Path().c_str())), ProgramFileFault::kUnreadable);
}

TEST_F(ProgramFiles, EveryCutAndAnyExtraByteIsRefused)
{
    const std::string good = Header("FxCk") + Values();
    for (size_t length = 0; length < good.size(); ++length)
        ExpectRefused(good.substr(0, length), "cut at " + std::to_string(length));
    ExpectRefused(good + "x", "one byte more");
}

TEST_F(ProgramFiles, NonFiniteValuesAreRefused)
{
    const float values[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity()};
    for (float bad : values)
        ExpectRefused(Header("FxCk") + Float(0.5f) + Float(0.5f) + Float(bad) + Float(0.5f), std::to_string(bad));
    ExpectRefused("", "an empty file");
    EXPECT_FALSE(plug.LoadProgramFile(Path("missing.fxp"), false));
    EXPECT_FALSE(plug.LoadProgramFile(StringBuf(""), false));
    EXPECT_FALSE(plug.LoadProgramFile(StringBuf(folder.Path().c_str()), false)) << "a folder";
}

TEST_F(ProgramFiles, ChunksLoadWithAndWithoutTheVersionHeader)
{
    TestPlug chunky("1-1", 4, 2, 0, true);
    for (const std::string& chunk : {VersionHeader() + State(), State()})
    {
        chunky.GetParam(0)->SetValue(0.0);
        WriteBytes(folder / "c.fxp", ChunkFile(chunk));
        ASSERT_TRUE(chunky.LoadProgramFile(Path("c.fxp"), true));
        EXPECT_EQ(chunky.GetParam(0)->Value(), -12.0);
        EXPECT_STREQ(chunky.PresetName(0), "Loaded") << "applyOnly has no effect for a chunk";
    }
    WriteBytes(folder / "v.fxp", Header("FxCk") + Values());
    EXPECT_TRUE(chunky.LoadProgramFile(Path("v.fxp"), false)) << "a value list is taken by a plug-in with chunks";

    chunky.GetParam(0)->SetValue(-1.0);
    ASSERT_TRUE(chunky.SaveProgramFile(Path("s.fxp"), "Chunk"));
    const std::string saved = ReadBytes(folder / "s.fxp");
    EXPECT_EQ(saved.substr(4, 4), Be32(60 + 8 + 32));
    EXPECT_EQ(saved.substr(8, 4), "FPCh");
    EXPECT_EQ(saved.substr(56, 12), Be32(40) + VersionHeader());
    chunky.GetParam(0)->SetValue(0.0);
    ASSERT_TRUE(chunky.LoadProgramFile(Path("s.fxp"), false));
    EXPECT_EQ(chunky.GetParam(0)->Value(), -1.0);
}

TEST_F(ProgramFiles, CutOrBadChunksAreRefused)
{
    TestPlug chunky("1-1", 4, 2, 0, true);
    const std::string good = ChunkFile(VersionHeader() + State());
    const std::string nan = ChunkFile(State().substr(0, 8) + Double(std::nan("")) + State().substr(16));
    std::vector<std::string> bad = {nan, ChunkFile("\x74\x66\x66\x70\x00\x00") + State().substr(0, 26)};
    for (size_t length = 0; length < good.size(); ++length)
        bad.push_back(good.substr(0, length));
    std::string huge = ChunkFile(VersionHeader() + State());
    huge.resize(kProgramFileMaxSize + 1, '\0');
    bad.push_back(huge);
    for (const std::string& bytes : bad)
    {
        chunky.GetParam(0)->SetValue(-5.0);
        WriteBytes(folder / "c.fxp", bytes);
        EXPECT_FALSE(chunky.LoadProgramFile(Path("c.fxp"), false)) << bytes.size();
        EXPECT_FALSE(chunky.LoadProgramFileAsPreset(Path("c.fxp"))) << bytes.size();
        EXPECT_EQ(chunky.GetParam(0)->Value(), -5.0);
        EXPECT_EQ(chunky.NPresets(), 2);
    }
}

TEST_F(ProgramFiles, LoadingAsPresetAddsANamedSlotAndKeepsTheValues)
{
    WriteBytes(folder / "Live Mix.b.fxp", Header("FxCk") + Values());
    const std::string values = CurrentValues(plug);
    ASSERT_TRUE(plug.LoadProgramFileAsPreset(Path("Live Mix.b.fxp")));
    EXPECT_EQ(CurrentValues(plug), values);
    ASSERT_EQ(plug.NPresets(), 4) << "beyond the three declared slots";
    const IPlugPreset& added = *plug.GetPreset(3);
    EXPECT_STREQ(added.name, "Live Mix.b");
    EXPECT_TRUE(added.fromFile);
    EXPECT_TRUE(added.initialised);
    ASSERT_TRUE(plug.RecallPreset(3, false));
    EXPECT_EQ(plug.GetParam(0)->Value(), -15.0);
    EXPECT_EQ(plug.GetParam(2)->Value(), 2.0);
}

TEST_F(ProgramFiles, AFailedSaveLeavesTheOldFileAndNoTemporaryOne)
{
    ASSERT_TRUE(plug.SaveProgramFile(Path("default.fxp"), "Old"));
    const std::string old = ReadBytes(folder / "default.fxp");
    EXPECT_FALSE(plug.SaveProgramFile(StringBuf(""), "x"));
    EXPECT_FALSE(plug.SaveProgramFile(Path("no/such/folder.fxp"), "x"));
    EXPECT_FALSE(plug.SaveProgramFile(StringBuf(folder.Path().c_str()), "x")) << "a folder";

    // A disk that takes no more than 40 bytes: the write fails part-way.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 40;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    plug.GetParam(0)->SetValue(-33.0);
    const bool saveResult = plug.SaveProgramFile(Path("default.fxp"), "New");
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saveResult);
    EXPECT_EQ(ReadBytes(folder / "default.fxp"), old);
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++files;
    EXPECT_EQ(files, 1u);
}

}  // namespace
