// The module binds the plug-in to the binding: its instances are Sonvarek
// objects, made one at a time by the plug-in's instance factory. (Defined
// here rather than in the plug-in's library, which the linker reads before
// the binding's that asks for it.)

#include "framework/aax/PlugInstanceFactory.h"

#include "plugin/CreateSonvarekInstance.h"
#include "plugin/Sonvarek.h"

IPlugAAX* CreatePlugInstance()
{
    return CreateSonvarekInstance([]() -> Sonvarek* { return new Sonvarek; });
}
