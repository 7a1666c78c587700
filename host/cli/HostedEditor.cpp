#include "host/cli/HostedEditor.h"

#include "platform/FileIO.h"
#include "platform/win32/PngWriter.h"
#include "platform/win32/Win32.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

// The size the GUI object reports, in whole pixels; false when it reports none.
bool ReportedSize(const HostEditor& editor, int* width, int* height)
{
    AAXViewSize size = {0.0f, 0.0f};
    *width = 0;
    *height = 0;
    if (editor.ViewSize(&size) != 0)
        return false;
    *width = static_cast<int>(size.width);
    *height = static_cast<int>(size.height);
    return *width > 0 && *height > 0;
}

}  // namespace

std::unique_ptr<HostedEditor> HostedEditor::Open(MeterHost& host, HostInstance& instance, Desktop& desktop,
                                                 std::string* error)
{
    std::unique_ptr<HostEditor> editor = host.NewEditor(instance, error);
    if (!editor)
        return nullptr;
    int width = 0;
    int height = 0;
    if (!ReportedSize(*editor, &width, &height))
    {
        *error = "the module shows no editor";
        return nullptr;
    }
    const HWND view = desktop.CreateHostWindow(0, 0, width, height);
    const int32_t result = editor->GiveView(view);
    if (result != 0)
    {
        *error = FormatText("the module's GUI object takes no view (%d)", result);
        editor.reset();
        DestroyWindow(view);
        return nullptr;
    }
    return std::unique_ptr<HostedEditor>(new HostedEditor(std::move(editor), view, desktop));
}

HostedEditor::~HostedEditor()
{
    editor->RemoveView();
    editor.reset();
    DestroyWindow(view);
}

bool HostedEditor::FollowSize()
{
    const AAXViewSize asked = editor->View().size;
    const int width = static_cast<int>(asked.width);
    const int height = static_cast<int>(asked.height);
    RECT r;
    if (width <= 0 || height <= 0 || !GetWindowRect(view, &r) ||
        (r.right - r.left == width && r.bottom - r.top == height))
        return false;
    SetWindowPos(view, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void HostedEditor::Tick()
{
    for (const TimerView& timer : desktop.Timers())
        for (HWND window = timer.window; window; window = GetParent(window))
            if (window == view)
            {
                desktop.FireTimer(timer.window, timer.id);
                break;
            }
}

bool HostedEditor::SaveImage(const std::string& path, std::string* error)
{
    FollowSize();
    int width = 0;
    int height = 0;
    ReportedSize(*editor, &width, &height);
    const DesktopImage image = desktop.WindowImage(view);
    std::vector<uint8_t> png;
    if (width <= 0 || height <= 0 || image.width < width || image.height < height ||
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
