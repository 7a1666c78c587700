// What the file and colour dialogs make of typed text; the file dialog's
// folder.

#include <gtest/gtest.h>

#include "platform/PathForMessage.h"
#include "platform/win32/Win32Services.h"
#include "platform/x11/DialogChecks.h"
#include "platform/x11/FileBrowser.h"
#include "platform/x11/PathText.h"
#include "tests/support/TempFolder.h"

#include <sys/stat.h>

#include <tuple>

namespace {

TEST(DialogChecksTest, TheFieldStartsWithTheFileInTheFolder)
{
    EXPECT_EQ(StartingPath("/data/Sonvarek", ""), "/data/Sonvarek/");
    EXPECT_EQ(StartingPath("/data/Sonvarek/", "/data/Sonvarek/."), "/data/Sonvarek/") << "a dot names no file";
    EXPECT_EQ(StartingPath("/data/Sonvarek", "take.fxp"), "/data/Sonvarek/take.fxp");
    EXPECT_EQ(StartingPath("/data", "/elsewhere/take.fxp"), "/elsewhere/take.fxp");
    EXPECT_EQ(StartingPath("", "take.fxp"), "take.fxp");
}

struct FileCheckTest : ::testing::Test
{
    TempFolder folder;
    FileRequest request;
    std::vector<std::string> questions;
    bool replace = false;

    FileCheckTest()
    {
        request.initialFolder = folder.Path();
        request.defaultExtension = "fxp";
        mkdir((folder / "sub").c_str(), 0700);
        WriteBytes(folder / "old.fxp", "CcnK");
    }
    std::vector<std::string> alerts;
    std::optional<std::string> Check(std::string& path)
    {
        FileCheckAsks asks;
        asks.confirm = [this](const std::string& question) {
            questions.push_back(question);
            return replace;
        };
        asks.alert = [this](const std::string& text) { alerts.push_back(text); };
        return CheckChosenFile(request, path, asks);
    }
};

TEST_F(FileCheckTest, ANameIsTakenInTheFolderWithTheDefaultExtension)
{
    std::string path = "take";
    EXPECT_EQ(Check(path), std::nullopt);
    EXPECT_EQ(path, folder / "take.fxp");
    path = "take.preset";
    EXPECT_EQ(Check(path), std::nullopt);
    EXPECT_EQ(path, folder / "take.preset") << "an extension given stays";
    path = folder / "sub/deep";
    EXPECT_EQ(Check(path), std::nullopt);
    EXPECT_EQ(path, folder / "sub/deep.fxp");
}

TEST_F(FileCheckTest, NoNameAFolderAndMissingPlacesAreRefusedWithACause)
{
    std::string path = "  ";
    EXPECT_EQ(Check(path), "Type a file name.");
    path = "sub";
    EXPECT_EQ(Check(path), "\"" + folder / "sub" + "\" is a folder: type a file name.");
    path = "sub/";
    EXPECT_TRUE(Check(path));
    path = "gone/deeper/../";
    EXPECT_EQ(Check(path), "The folder \"" + folder / "gone" + "\" does not exist.") << "\"..\" by the text";

    request.flags = OFN_PATHMUSTEXIST;
    path = "nowhere/take";
    EXPECT_EQ(Check(path), "The folder \"" + folder / "nowhere" + "\" does not exist.");
    // A file where the folder or one above it would be is named.
    for (const auto& [typed, missing, where] : {std::tuple<std::string, std::string, std::string>{"old.fxp/", "old.fxp", "place"},
                                                {"old.fxp/deeper/take", "old.fxp/deeper", "way"}})
        EXPECT_EQ(Check(path = typed), "The folder \"" + folder / missing + "\" does not exist: the file \"" +
                                           folder / "old.fxp" + "\" stands in its " + where + ".");
    request.flags = OFN_FILEMUSTEXIST;
    path = "missing";
    EXPECT_EQ(Check(path), "The file \"missing.fxp\" does not exist.");
    EXPECT_EQ(path, "missing") << "a refused path is left as typed";
    path = "old";
    EXPECT_EQ(Check(path), std::nullopt);
    request.save = true;
    path = "missing";
    EXPECT_EQ(Check(path), std::nullopt) << "a file to save need not exist";
}

TEST_F(FileCheckTest, ReplacingAFileIsAskedOnlyWhenTheRequestSaysSo)
{
    request.save = true;
    std::string path = "old";
    EXPECT_EQ(Check(path), std::nullopt);
    EXPECT_TRUE(questions.empty());

    request.flags = OFN_OVERWRITEPROMPT;
    EXPECT_EQ(Check(path = "old"), std::string()) << "no keeps the dialog open, saying nothing";
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], "old.fxp already exists.\nDo you want to replace it?");
    replace = true;
    EXPECT_EQ(Check(path = "old"), std::nullopt);
    EXPECT_EQ(path, folder / "old.fxp");
    EXPECT_EQ(Check(path = "new"), std::nullopt);
    EXPECT_EQ(questions.size(), 2u) << "a new file asks nothing";
}

TEST_F(FileCheckTest, AFolderNamedWithTheExtensionIsNoFileToReplace)
{
    mkdir((folder / "take.fxp").c_str(), 0700);
    request.save = true;
    request.flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    std::string path = "take";
    EXPECT_EQ(Check(path), "\"" + folder / "take.fxp" + "\" is a folder: type a file name.");
    EXPECT_TRUE(questions.empty());
}

TEST_F(FileCheckTest, APathLongerThanTheCallersRoomIsAnAlert)
{
    request.maxPath = 4095;
    std::string path = std::string(4095 - folder.Path().size() - 4, 'n');
    EXPECT_EQ(Check(path), std::nullopt);
    EXPECT_EQ(path.size(), 4095u);
    EXPECT_TRUE(alerts.empty());
    path = std::string(4096 - folder.Path().size() - 4, 'n');
    EXPECT_EQ(Check(path), std::string()) << "the alert said it";
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0], "The path is too long (4096 bytes; the most is 4095).");
}

TEST_F(FileCheckTest, APathInAMessageIsShortenedSoThatItsReasonShows)
{
    const std::string n(250, 'n');
    mkdir((folder / n).c_str(), 0700);
    WriteBytes(folder / (n + ".fxp"), "CcnK");
    const std::pair<DWORD, std::string> cases[] = {
        {0, n}, {OFN_PATHMUSTEXIST, n + "/" + n + "/x"}, {OFN_FILEMUSTEXIST, n + "/" + n}, {OFN_OVERWRITEPROMPT, n}};
    for (const auto& [flags, typed] : cases)
    {
        request.flags = flags;
        request.save = flags != OFN_FILEMUSTEXIST;
        std::string path = typed, said = Check(path).value_or("?");
        said += questions.empty() ? "" : questions.back();
        EXPECT_LE(said.size(), kMessagePathBytes + 45) << said;
        EXPECT_NE(said.find("n...n"), std::string::npos) << said;
    }
}

TEST(FileBrowserTest, TheFolderListsSubfoldersThenMatchingFilesAndOpensFolders)
{
    TempFolder folder;
    for (const char* sub : {"B sub", "a sub", ".hidden"})
        mkdir((folder / sub).c_str(), 0700);
    for (const char* file : {"x.fxp", "Y.FXP", "z.txt", ".h.fxp"})
        WriteBytes(folder / file, "CcnK");
    FileBrowser browser(folder / "take.fxp", "*.fxp;*.png");
    const std::string shown = CleanFolder(folder.Path());
    EXPECT_EQ(browser.Folder(), shown);
    EXPECT_EQ(browser.Rows(), (std::vector<std::string>{"../", "a sub/", "B sub/", "x.fxp", "Y.FXP"}));
    EXPECT_EQ(browser.TextOf(3), shown + "/x.fxp");
    EXPECT_EQ(browser.TextOf(0), FolderOf(shown) + "/");

    std::string field = "x.fxp";
    EXPECT_FALSE(browser.Open(field)) << "a file";
    EXPECT_FALSE(browser.Open(field = "  "));
    EXPECT_FALSE(browser.Open(field = shown + "/")) << "the folder shown";
    EXPECT_TRUE(browser.Open(field = "a sub"));
    EXPECT_EQ(field, shown + "/a sub/");
    EXPECT_EQ(browser.Rows(), (std::vector<std::string>{"../"}));
    EXPECT_TRUE(browser.Open(field = browser.TextOf(0)));
    EXPECT_EQ(browser.Folder(), shown);
    EXPECT_TRUE(FileBrowser(folder / "gone/", "").Open(field = "../")) << "up from a folder that does not exist";
    EXPECT_EQ(field, shown + "/");

    EXPECT_EQ(FileBrowser("/", "").Rows().front().back(), '/') << "a folder";
    EXPECT_NE(FileBrowser("/", "").Rows().front(), "../") << "nothing above the root";
    EXPECT_EQ(CleanFolder("/a//b/./c/../"), "/a/b");
    EXPECT_EQ(CleanFolder("/.."), "/");
}

TEST(ColourTextTest, HexColoursReadWithOrWithoutAHashInEitherCase)
{
    EXPECT_EQ(ParseHexColour("#12ab34"), RGB(0x12, 0xAB, 0x34));
    EXPECT_EQ(ParseHexColour(" 12AB34\t"), RGB(0x12, 0xAB, 0x34));
    for (const char* bad : {"", "#", "#12ab3", "#12ab345", "12ab3g", "##12ab34", "#12 ab34", "0x12ab34"})
        EXPECT_EQ(ParseHexColour(bad), std::nullopt) << bad;
    EXPECT_EQ(HexColourText(RGB(0x01, 0xA2, 0xFF)), "#01A2FF");
    EXPECT_EQ(ParseHexColour(HexColourText(RGB(9, 200, 77))), RGB(9, 200, 77));
}

}  // namespace
