#pragma once
// The preset selector: a label showing the current preset's name, which
// opens the preset menu when pressed, and two arrows that step to the
// previous and the next factory preset. The menu loads and saves program
// files through the editor window's file dialog, resets the current preset
// to the default preset, saves the current values as the default (a command
// to the plug-in's handler), and recalls any factory or user preset. No
// parameter: it acts on the plug-in's preset list directly. [UI thread]
//
// The three sub-areas are layout boxes in the control's own design space:
// they follow the design size and scales the surface's layout gives the
// control. An area that resolves to all zero is never hit.
//
// Menu: "Load Preset...", "Reset to Default", separator, "Save Preset...",
// "Save as Default" (unless its command is -1), separator, "Factory" (the
// presets below the factory count) and, when there are more presets, "User"
// (the rest). The current preset is checked.
// - Load: an open dialog in the preset folder, or where it does not exist,
//   in the nearest folder above it that does (neither made nor reported:
//   there is nothing in it to load). A file the plug-in refuses changes
//   nothing and an alert names it and says why; a good one is loaded into
//   slot 0, which becomes current under the file's program name.
// - Reset to Default: the current slot takes the default preset (its state
//   and name) and is recalled; nothing without an initialised default.
// - Save: a save dialog in the preset folder (made when missing) proposing
//   the current preset's name; the file is written under the program name
//   of its file name (without folder and last extension). A failed save, or
//   a name with nothing before the extension, shows an alert and sends
//   nothing. A preset folder that cannot be made gives the folder alert
//   (below) before the dialog, which still opens, in the nearest folder
//   above it that exists, so that the file can go elsewhere; and again for
//   a file saved into it.
//   After a save the saved command (the rescan of the user presets) is sent.
// - Save as Default: the save-default command, when 0 or more; when the
//   plug-in (a preset manager) could not write the file, the same alert as a
//   failed save; when it could not make the file's folder, the folder alert;
//   either with a second line, "The default preset was not saved.".
// - The folder alert, "Could not make the preset folder "...": ...", names
//   the folder that was to be made (the preset folder, or the default
//   preset's) and why: "the file "..." stands in its place" (or "in its
//   way" for a file at a folder above it) rather than the system's "Not a
//   directory"; "the link "..." leads nowhere" for a dangling symbolic
//   link; for another failure above it, "the folder "..." above it could
//   not be made: " and the system's reason; else the system's reason.
// - A factory preset is recalled (preset members only); a user preset is
//   first copied into slot 0 with its name and slot 0 recalled. Then the
//   plug-in announces the program and sends every value to the host.
// - A dismissed menu or a cancelled dialog changes nothing and sends nothing.

#include "framework/core/IPlugPreset.h"
#include "framework/core/StringBuf.h"
#include "graphics/editor/IControl.h"
#include "graphics/editor/ILayoutBox.h"
#include "graphics/vector/ShapeGroup.h"

#include <cstdint>

class IExtPresetMenu_SVG1 final : public IControl
{
public:
    // Groups: not owned, may be null (that part is not drawn). savedCommand,
    // saveDefaultCommand: below 0, none (-1 also removes "Save as Default").
    // factoryPresetCount: presets below it are factory presets. presetFolder:
    // where the dialogs start (null: empty). extensions: the dialogs' file
    // types, blank-separated (null: empty). labelLength: the longest label;
    // longer names end in "...". defaultPreset: not owned, may be null; kept
    // valid while the control lives.
    IExtPresetMenu_SVG1(IPlugBase* plug, const ILayoutBox& box, const ILayoutBox& labelBox, ShapeGroup* labelGroup,
                        const ILayoutBox& previousBox, ShapeGroup* previousGroup, const ILayoutBox& nextBox,
                        ShapeGroup* nextGroup, int32_t savedCommand, int32_t saveDefaultCommand,
                        int32_t factoryPresetCount, const char* presetFolder, const char* extensions,
                        int32_t labelLength, IPlugPreset* defaultPreset, int32_t blendType);

    // The button-held flag of the surface is cleared first (the menu and the
    // dialogs take the release); then the label, previous and next areas are
    // tested in turn with the same point.
    void PointerPressed(int32_t x, int32_t y, const IPointerMods& mods) override;
    // Both arrows come up.
    void PointerReleased(int32_t x, int32_t y, const IPointerMods& mods) override;
    // The arrows (frame 1 while pressed), then the label showing the current
    // preset's name, cut to the label length.
    void Paint(IGraphics* graphics) override;

    IBounds LabelArea() const { return Resolve(labelBox); }
    IBounds PreviousArea() const { return Resolve(previousBox); }
    IBounds NextArea() const { return Resolve(nextBox); }
    // The name shown by the last paint.
    const char* LabelText() const { return labelText.Get(); }
    bool NextPressed() const { return nextPressed; }
    // Set only while a press of the control runs.
    bool IsBusy() const { return busy; }

private:
    IBounds Resolve(const ILayoutBox& area) const;
    // An arrow: the current preset index + delta, kept to the factory presets.
    void Step(int32_t delta, bool* pressed);
    // The menu and what its answer asks for (IExtPresetMenu_SVG1Menu.cpp).
    void RunMenu();
    void LoadPresetFile();
    void ResetToDefault();
    void SavePresetFile();
    void SaveAsDefault();
    // Makes the preset folder when missing; false after the folder alert
    // when it cannot be made.
    bool MakePresetFolder();
    // Where the dialogs open: the preset folder, else the nearest folder
    // above it that exists (as given when none does).
    void DialogFolder(StringBuf* folder) const;
    void RecallChosen(int32_t idx);
    // "Could not <what> the preset file (aboutFolder: folder) "<filePath>":
    // <reason>.", the path shortened in the middle so that the reason shows;
    // outcome (when given) on a line of its own after it.
    void Alert(const char* what, const char* reason, bool aboutFolder = false, const char* outcome = nullptr);

    ShapeGroup* labelGroup;
    ShapeGroup* previousGroup;
    ShapeGroup* nextGroup;
    ILayoutBox labelBox;
    ILayoutBox previousBox;
    ILayoutBox nextBox;
    bool previousPressed = false;
    bool nextPressed = false;
    bool busy = false;
    int32_t factoryPresetCount;
    int32_t savedCommand;
    int32_t saveDefaultCommand;
    StringBuf presetFolder;
    StringBuf filePath;
    StringBuf extensions;
    StringBuf labelText;
    int32_t labelLength;
    IPlugPreset* defaultPreset;
};
