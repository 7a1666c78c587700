#pragma once
// A host chunk record with room for exactly the data size asked for.

#include "host/HostChunkRecord.h"

using ChunkRecordBuffer = HostChunkRecord;
