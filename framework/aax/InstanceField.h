#pragma once
// Context field 8: a private-data block of the size of a pointer, prepared
// with the address of the instance's effect-parameters object, through which
// the render procedure finds the instance.

#include "platform/AAXRenderContext.h"

#include <cstdint>

// Writes instance into the block; a null block or one smaller than a pointer
// is refused with -20008 and nothing is written.
int32_t WriteInstanceField(void* data, uint32_t sizeBytes, void* instance);

// The instance a context's field 8 holds, or null.
void* InstanceOfContext(const AAXRenderContext* context);
