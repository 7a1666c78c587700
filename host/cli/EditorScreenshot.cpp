#include "host/cli/EditorScreenshot.h"

#include "host/cli/HostedEditor.h"
#include "platform/win32/Desktop.h"

namespace {

// Several ticks of the editor's timer (30 a second): the first takes the due
// values (and a pending resize) and draws them; the rest find nothing new.
constexpr uint64_t kSettleMs = 200;

}  // namespace

bool SaveEditorScreenshot(MeterHost& host, HostInstance& instance, Desktop& desktop, const std::string& path,
                          std::string* error)
{
    std::unique_ptr<HostedEditor> editor = HostedEditor::Open(host, instance, desktop, error);
    if (!editor)
    {
        *error += ": no screenshot is saved to " + path;
        return false;
    }
    desktop.RunFor(kSettleMs);
    return editor->SaveImage(path, error);
}
