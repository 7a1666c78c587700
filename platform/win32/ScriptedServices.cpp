#include "platform/win32/DesktopServices.h"
#include "platform/win32/Win32Services.h"

std::optional<UINT_PTR> ScriptedServices::ChooseMenuItem(const MenuRequest& request)
{
    menuLog.push_back(request);
    return chooseMenuItem ? chooseMenuItem(request) : std::nullopt;
}

std::optional<std::string> ScriptedServices::ChooseFile(const FileRequest& request)
{
    fileLog.push_back(request);
    return chooseFile ? chooseFile(request) : std::nullopt;
}

std::optional<COLORREF> ScriptedServices::ChooseColour(const ColourRequest& request)
{
    colourLog.push_back(request);
    return chooseColour ? chooseColour(request) : std::nullopt;
}

int ScriptedServices::AskMessageBox(const MessageBoxRequest& request)
{
    messageBoxLog.push_back(request);
    if (askMessageBox)
        return askMessageBox(request);
    const bool second = (request.type & MB_DEFBUTTON2) != 0;
    switch (request.type & 0xF)
    {
    case MB_OKCANCEL:
        return second ? IDCANCEL : IDOK;
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return second ? IDNO : IDYES;
    default:
        return IDOK;
    }
}

intptr_t ScriptedServices::OpenShell(const ShellRequest& request)
{
    shellLog.push_back(request);
    return openShell ? openShell(request) : 42;
}

bool ScriptedServices::IsConnected()
{
    ++connectionQueries;
    return connected;
}

std::optional<std::u16string> ScriptedServices::ClipboardText() { return clipboardText; }

std::optional<std::u16string> ScriptedServices::PrimarySelectionText() { return primarySelectionText; }
