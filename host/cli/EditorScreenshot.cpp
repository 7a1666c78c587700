#include "host/cli/EditorScreenshot.h"

#include "platform/FileIO.h"
#include "platform/win32/Desktop.h"
#include "platform/win32/PngWriter.h"
#include "platform/win32/Win32.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

// Several ticks of the editor's timer (30 a second): the first takes the due
// values (and a pending resize) and draws them; the rest find nothing new.
constexpr uint64_t kSettleMs = 200;

// The size the editor reports, in whole pixels; 0 x 0 without an editor.
bool EditorSize(const HostEditor& editor, int* width, int* height)
{
    AAXViewSize size = {0.0f, 0.0f};
    if (editor.ViewSize(&size) != 0)
        return false;
    *width = static_cast<int>(size.width);
    *height = static_cast<int>(size.height);
    return *width > 0 && *height > 0;
}

}  // namespace

bool SaveEditorScreenshot(MeterHost& host, HostInstance& instance, Desktop& desktop, const std::string& path,
                          std::string* error)
{
    std::unique_ptr<HostEditor> editor = host.NewEditor(instance, error);
    if (!editor)
        return false;
    int width = 0;
    int height = 0;
    if (!EditorSize(*editor, &width, &height))
    {
        *error = "the module shows no editor: no screenshot is saved to " + path;
        return false;
    }
    const HWND view = desktop.CreateHostWindow(0, 0, width, height);
    editor->GiveView(view);
    desktop.RunFor(kSettleMs);
    // The host's view follows the size the editor asked for when it opened.
    EditorSize(*editor, &width, &height);
    SetWindowPos(view, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const DesktopImage image = desktop.WindowImage(view);
    editor->RemoveView();
    editor.reset();
    DestroyWindow(view);

    std::vector<uint8_t> png;
    if (image.width < width || image.height < height ||
        !EncodePng(image.pixels.data(), width, height, image.width, false, &png))
    {
        *error = "cannot make the screenshot " + path + ": the editor's window cannot be read";
        return false;
    }
    errno = 0;
    if (!WriteFileAtomically(path.c_str(), png.data(), png.size()))
    {
        *error = "cannot write the screenshot " + path + ": " + std::strerror(errno != 0 ? errno : EIO);
        return false;
    }
    return true;
}
