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
