#pragma once
// The platform-neutral surface with a window half that only records: what
// was painted to the "window", popups and entry fields asked for.

#include "graphics/editor/IGraphics.h"
#include "graphics/editor/IPlugMenu.h"

#include <string>
#include <vector>

class RecordingSurface : public IGraphics
{
public:
    using IGraphics::IGraphics;

    bool PaintWindow(const IBounds& area) override
    {
        painted.push_back(area);
        return true;
    }
    void CancelEntry() override {}
    int32_t ShowAlert(const char*, const char*, uint32_t) override { return 1; }
    // Chooses item choice of the menu (-1: none).
    IPlugMenu* ShowPopupMenu(IPlugMenu* menu, const IBounds& area) override
    {
        popupAreas.push_back(area);
        std::string items;
        for (int32_t i = 0; i < menu->EntryCount(); ++i)
            items += std::string(i ? "|" : "") + (menu->EntryAt(i)->Flags() & kMenuItemChecked ? "*" : "") +
                     menu->EntryAt(i)->Text();
        popupItems.push_back(items);
        if (choice < 0 || choice >= menu->EntryCount())
            return nullptr;
        menu->SetChosenIndex(choice);
        return menu;
    }
    void OpenEntryField(IControl* control, const TextStyle&, const IBounds& area, const char* text,
                        IPlugParam* param) override
    {
        fields.push_back({control, area, text, param});
    }
    void HostFolder(StringBuf* out) override { out->Set(""); }
    void ModuleFolder(StringBuf* out) override { out->Set(""); }
    void DesktopFolder(StringBuf* out) override { out->Set(""); }
    void AppDataFolder(StringBuf* out, bool) override { out->Set(""); }
    void AskForFile(StringBuf* fileName, int32_t, StringBuf*, const char*) override { fileName->Set(""); }
    bool AskForColour(IArgb*, const char*) override { return false; }
    bool OpenWebLink(const char*, const char*, const char*, const char*) override { return false; }
    void* OpenEditorWindow(void*) override { return nullptr; }
    void CloseEditorWindow() override {}
    void* NativeWindow() const override { return nullptr; }
    bool ClipboardText(StringBuf* out) override
    {
        out->Set("");
        return false;
    }
    void SetFrameRate(double) override {}
    LICE_IBitmap* LoadPngResource(int32_t, const char*) override { return nullptr; }

    using IGraphics::EndOpenGesture;

    struct Field
    {
        IControl* control;
        IBounds area;
        std::string text;
        IPlugParam* param;
    };
    std::vector<IBounds> painted;
    std::vector<IBounds> popupAreas;
    std::vector<std::string> popupItems;
    std::vector<Field> fields;
    int32_t choice = -1;
};
