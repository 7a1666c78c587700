#pragma once
// The GUI object of one instance as the stand-in host holds it: made with
// the effect's GUI procedure, attached with the instance's host object, given
// a view container whose native view is a window the caller made (a host
// window of the windowing stand-in), removed and given again. Every value the
// host applies to the instance is reported to it (ReflectParamValue).
//
// UI thread. A HostEditor goes before the instance it was made for.

#include "host/HostInstance.h"
#include "host/StandInHost.h"
#include "platform/AAX_IACFEffectGUI.h"

#include <memory>
#include <string>

class HostViewObject;

class HostEditor
{
public:
    // The GUI object of effect for instance. Null, with the reason in
    // *error, when the effect registers no GUI procedure, the procedure makes
    // nothing, the object answers no GUI interface or AttachToHost fails.
    static std::unique_ptr<HostEditor> Create(StandInHost& host, const RecordedEffect& effect,
                                              HostInstance& instance, std::string* error = nullptr);
    // Removes the view (if given), detaches and releases the GUI object.
    ~HostEditor();
    HostEditor(const HostEditor&) = delete;
    HostEditor& operator=(const HostEditor&) = delete;

    AAX_IACFEffectGUI& Gui() const { return *gui; }

    // A new view container whose native view is nativeView, handed over with
    // AttachViewContainer (the one given before goes after it); its result.
    int32_t GiveView(void* nativeView);
    // AttachViewContainer(null), then the view container goes; its result (0
    // when no view was given).
    int32_t RemoveView();
    // What the view container answers and records: the native view, the
    // size the module asked for, the host's share of parameter clicks.
    HostViewState& View() { return view; }
    // The GUI object's ReportViewSize.
    int32_t ViewSize(AAXViewSize* size) const { return gui->ReportViewSize(size); }

private:
    HostEditor(StandInHost& host, HostInstance& instance, AAX_IACFEffectGUI* gui)
        : host(host), instance(instance), gui(gui)
    {
    }

    StandInHost& host;
    HostInstance& instance;
    AAX_IACFEffectGUI* gui;
    HostViewObject* viewObject = nullptr;
    HostViewState view;
};
