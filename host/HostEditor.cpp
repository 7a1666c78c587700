#include "host/HostEditor.h"

#include "host/HostRunTimeObject.h"
#include "host/LookupAs.h"
#include "platform/AAXDescriptionCodes.h"
#include "platform/ACFInterfaceIDs.h"

#include <utility>

namespace {

void Explain(std::string* error, std::string reason)
{
    if (error)
        *error = std::move(reason);
}

}  // namespace

std::unique_ptr<HostEditor> HostEditor::Create(StandInHost& host, const RecordedEffect& effect,
                                               HostInstance& instance, std::string* error)
{
    const AAXCreateObjectProc create = effect.Procedure(kAAXProcedureEffectGUI);
    if (!create)
    {
        Explain(error, "the effect registers no GUI procedure");
        return nullptr;
    }
    IACFUnknown* object = create();
    if (!object)
    {
        Explain(error, "the GUI procedure made nothing");
        return nullptr;
    }
    object->Retain();
    auto* gui = LookupAs<AAX_IACFEffectGUI>(object, kIID_EffectGUI);
    object->Relinquish();  // the lookup holds it now, if it answered
    if (!gui)
    {
        Explain(error, "the object answers no GUI interface");
        return nullptr;
    }
    const int32_t result = gui->AttachToHost(instance.HostObject());
    if (result != 0)
    {
        Explain(error, FormatText("the GUI object's AttachToHost answered %d", result));
        gui->Relinquish();
        return nullptr;
    }
    instance.AddGuiObserver(gui);
    return std::unique_ptr<HostEditor>(new HostEditor(host, instance, gui));
}

HostEditor::~HostEditor()
{
    RemoveView();
    instance.RemoveGuiObserver(gui);
    gui->DetachFromHost();
    gui->Relinquish();
}

int32_t HostEditor::GiveView(void* nativeView)
{
    view.nativeView = nativeView;
    HostViewObject* given = new HostViewObject(host, view);
    const int32_t result = gui->AttachViewContainer(given->Unknown());
    if (viewObject)
        viewObject->Relinquish();
    viewObject = given;
    return result;
}

int32_t HostEditor::RemoveView()
{
    if (!viewObject)
        return 0;
    const int32_t result = gui->AttachViewContainer(nullptr);
    viewObject->Relinquish();
    viewObject = nullptr;
    return result;
}
