#include "platform/x11/X11Services.h"

#include "platform/win32/Win32.h"
#include "platform/x11/Dialog.h"
#include "platform/x11/DialogChecks.h"
#include "platform/x11/FileBrowser.h"
#include "platform/x11/PopupMenu.h"
#include "platform/x11/Selection.h"
#include "platform/x11/X11Presenter.h"
#include "platform/x11/XSession.h"

#include <X11/Xatom.h>

namespace {

std::string Patterns(const FileRequest& request)
{
    std::string patterns;
    for (const auto& [description, pattern] : request.filters)
        patterns += (patterns.empty() ? "" : ";") + pattern;
    return patterns;
}

}  // namespace

X11Services::X11Services(X11Presenter& p, XSession& s, DesktopServices& f) : presenter(p), session(s), fallback(f) {}

std::optional<UINT_PTR> X11Services::ChooseMenuItem(const MenuRequest& request)
{
    return TrackMenu(presenter, session, request.items, presenter.ToXScreen(request.owner, request.at),
                     request.owner);
}

std::optional<std::string> X11Services::ChooseFile(const FileRequest& request)
{
    DialogForm form;
    form.title = request.save ? "Save As" : "Open";
    const std::string patterns = Patterns(request);
    form.message = patterns.empty() ? "File name:" : "File name (" + patterns + "):";
    form.hasField = true;
    form.field = StartingPath(request.initialFolder, request.initialFile);
    FileBrowser browser(form.field, patterns);
    form.list = &browser;
    form.buttons = {{request.save ? "Save" : "Open", IDOK}, {"Cancel", IDCANCEL}};
    form.defaultAnswer = IDOK;
    form.cancelAnswer = IDCANCEL;
    FileCheckAsks asks;
    asks.confirm = [&](const std::string& question) {
        return Ask(request.owner, question, "Confirm " + form.title, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) ==
               IDYES;
    };
    asks.alert = [&](const std::string& text) { Ask(request.owner, text, form.title, MB_OK | MB_ICONWARNING); };
    form.check = [&](std::string& path) {
        // A relative path is taken in the folder shown.
        FileRequest shown = request;
        shown.initialFolder = browser.Folder();
        return CheckChosenFile(shown, path, asks);
    };
    const DialogAnswer answer = RunDialog(presenter, session, form, request.owner);
    if (answer.answer != IDOK)
        return std::nullopt;
    return answer.field;
}

int X11Services::Ask(HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    MessageBoxRequest ask;
    ask.owner = owner;
    ask.text = text;
    ask.caption = caption;
    ask.type = type;
    return AskMessageBox(ask);
}

std::optional<COLORREF> X11Services::ChooseColour(const ColourRequest& request)
{
    DialogForm form;
    form.title = request.title.empty() ? "Color" : request.title;
    form.message = "Colour (#rrggbb):";
    form.hasField = true;
    form.field = HexColourText(request.initial);
    form.buttons = {{"OK", IDOK}, {"Cancel", IDCANCEL}};
    form.defaultAnswer = IDOK;
    form.cancelAnswer = IDCANCEL;
    form.check = [](std::string& text) -> std::optional<std::string> {
        if (ParseHexColour(text))
            return std::nullopt;
        return std::string("Type a colour as #rrggbb.");
    };
    const DialogAnswer answer = RunDialog(presenter, session, form, request.owner);
    if (answer.answer != IDOK)
        return std::nullopt;
    return ParseHexColour(answer.field);
}

int X11Services::AskMessageBox(const MessageBoxRequest& request)
{
    DialogForm form;
    // A message box without a caption is titled so.
    form.title = request.caption.empty() ? "Error" : request.caption;
    form.message = request.text;
    switch (request.type & 0xF)
    {
    case MB_OKCANCEL:
        form.buttons = {{"OK", IDOK}, {"Cancel", IDCANCEL}};
        form.cancelAnswer = IDCANCEL;
        break;
    case MB_YESNOCANCEL:
        form.buttons = {{"Yes", IDYES}, {"No", IDNO}, {"Cancel", IDCANCEL}};
        form.cancelAnswer = IDCANCEL;
        break;
    case MB_YESNO:
        form.buttons = {{"Yes", IDYES}, {"No", IDNO}};
        form.cancelAnswer = IDNO;
        break;
    default:
        form.buttons = {{"OK", IDOK}};
        form.cancelAnswer = IDOK;
        break;
    }
    const size_t defaultIndex = (request.type & MB_DEFBUTTON2) && form.buttons.size() > 1 ? 1 : 0;
    form.defaultAnswer = form.buttons[defaultIndex].answer;
    return RunDialog(presenter, session, form, request.owner).answer;
}

intptr_t X11Services::OpenShell(const ShellRequest& request) { return fallback.OpenShell(request); }

bool X11Services::IsConnected() { return fallback.IsConnected(); }

std::optional<std::u16string> X11Services::ClipboardText() { return ReadSelectionText(session, session.clipboard); }

std::optional<std::u16string> X11Services::PrimarySelectionText() { return ReadSelectionText(session, XA_PRIMARY); }
