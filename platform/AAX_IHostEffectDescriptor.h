#pragma once
// The host's description of one effect (kIID_EffectDescriptor).

#include "platform/AAXDescriptionCodes.h"
#include "platform/AAX_IString.h"
#include "platform/IACFUnknown.h"

class AAX_IHostComponentDescriptor;

class AAX_IHostEffectDescriptor : public IACFUnknown
{
public:
    // The host reads the component's content when it is added.
    virtual int32_t AddComponent(AAX_IHostComponentDescriptor* component) = 0;
    virtual int32_t AddName(const AAX_IString* name) = 0;
    virtual int32_t AddCategory(uint32_t categoryBits) = 0;
    // kind: an AAXProcedureKind.
    virtual int32_t AddProcedure(AAXCreateObjectProc procedure, uint32_t kind) = 0;

protected:
    ~AAX_IHostEffectDescriptor() = default;
};
