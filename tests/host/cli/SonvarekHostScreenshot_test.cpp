// sonvarek-host --screenshot: the editor as a person sees it after the first
// input, at the editor's size, next to an unchanged report.

#include "support/HostTest.h"
#include "tests/support/ImageCompare.h"
#include "tests/support/PngImage.h"

#include <string>
#include <vector>

namespace {

using SonvarekHostScreenshot = SonvarekHost;

// Antialiased text may land a little differently with another font build;
// the comparison also forgives an edge moved by a pixel.
constexpr int32_t kTolerance = 24;

PngImage Golden(const char* name)
{
    PngImage image;
    EXPECT_TRUE(ReadPng(std::string(SONVAREK_GOLDEN_FOLDER) + name, &image)) << name;
    return image;
}

// The report's lines without the one that tells the speed.
std::vector<std::string> WithoutSpeed(const std::string& report)
{
    std::vector<std::string> lines;
    for (const std::string& line : Lines(report))
        if (line.find("speed") == std::string::npos)
            lines.push_back(line);
    return lines;
}

TEST_F(SonvarekHostScreenshot, AfterTheBuiltInProgrammeBothFacesLookAsTheyShould)
{
    for (const char* type : {"EBU", "RMS"})
    {
        SCOPED_TRACE(type);
        const std::string path = folder / (std::string(type) + ".png");
        const HostRun run = Run({"--set", std::string("Type=") + type, "--screenshot", path});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
        PngImage shot;
        ASSERT_TRUE(ReadPng(path, &shot));
        const PngImage golden = Golden(type == std::string("EBU") ? "ebu.png" : "rms.png");
        ASSERT_EQ(shot.width, 616);
        ASSERT_EQ(shot.height, 352);
        EXPECT_EQ(CompareImages(shot.pixels, golden.pixels, 616, 352, kTolerance), "");
    }
}

// FNV-1a over the pixel words.
uint64_t PixelHash(const std::vector<uint32_t>& pixels)
{
    uint64_t hash = 0xCBF29CE484222325ull;
    for (const uint32_t pixel : pixels)
        for (int shift = 0; shift < 32; shift += 8)
            hash = (hash ^ ((pixel >> shift) & 0xFF)) * 0x100000001B3ull;
    return hash;
}

// The whole face after the built-in programme, pixel for pixel, for every
// type and scale: however the editor saves work in drawing, the picture
// stays the one it drew when every control was painted whole. The hashes
// belong to this system's fonts and cairo; with another build of them the
// tolerant comparison above is the one that speaks.
TEST_F(SonvarekHostScreenshot, EveryTypeAndScaleKeepsItsPictureExactly)
{
    struct Expected
    {
        const char* type;
        const char* scale;
        uint64_t hash;
    };
    const Expected table[] = {
        {"EBU", "1.0", 0xdcaa672277c82369}, {"EBU", "2.0", 0x3b3da077491cab9e}, {"EBU", "3.0", 0x369a7e2465ece51b},
        {"RMS", "1.0", 0x4ae992e77b23210e}, {"RMS", "2.0", 0xdea00998ac6c7949}, {"RMS", "3.0", 0x67068f5580e255de},
    };
    for (const Expected& e : table)
    {
        SCOPED_TRACE(std::string(e.type) + " at " + e.scale);
        const std::string path = folder / "face.png";
        const HostRun run = Run({"--set", std::string("Type=") + e.type, "--set", std::string("GUI Scale=") + e.scale,
                                 "--screenshot", path});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        PngImage shot;
        ASSERT_TRUE(ReadPng(path, &shot));
        EXPECT_EQ(PixelHash(shot.pixels), e.hash) << std::hex << "0x" << PixelHash(shot.pixels);
    }
}

TEST_F(SonvarekHostScreenshot, TheReportIsTheSameWithOrWithoutIt)
{
    const std::string file = Write("tone.wav", Sine(2, 48000, 1.0, 1000.0, -18.0), 48000);
    const HostRun plain = Run({file});
    const HostRun shot = Run({"--screenshot", folder / "face.png", file});
    ASSERT_EQ(shot.exitCode, 0) << shot.err;
    EXPECT_EQ(WithoutSpeed(shot.out), WithoutSpeed(plain.out));
    EXPECT_EQ(shot.err, plain.err);
}

TEST_F(SonvarekHostScreenshot, ItTakesTheEditorsSizeAtTheGuiScale)
{
    const std::string path = folder / "face.png";
    const HostRun run = Run({"--set", "GUI Scale=2.0", "--screenshot", path});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    PngImage shot;
    ASSERT_TRUE(ReadPng(path, &shot));
    EXPECT_EQ(shot.width, 1232);
    EXPECT_EQ(shot.height, 704);
    // Scaled, the face is the same picture.
    const PngImage golden = Golden("ebu.png");
    EXPECT_EQ(shot.pixels[static_cast<size_t>(190) * 1232 + 10], golden.pixels[static_cast<size_t>(95) * 616 + 5]);
}

TEST_F(SonvarekHostScreenshot, AFirstInputThatCannotBeMeasuredLeavesNoPicture)
{
    const std::string good = Write("tone.wav", Sine(2, 48000, 0.5, 1000.0, -18.0), 48000);
    const std::string path = folder / "face.png";
    const HostRun run = Run({"--json", "--screenshot", path, folder / "missing.wav", good});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(Lines(run.out).size(), 2u);
    const std::vector<std::string> messages = Lines(run.err);
    ASSERT_EQ(messages.size(), 2u) << run.err;
    EXPECT_EQ(messages[1], "sonvarek-host: the first input was not measured: no screenshot is saved to " + path);
    EXPECT_EQ(ReadBytes(path), "");
}

}  // namespace
