// IPlugAAX: the state chunk, the plug-in's state as SaveState writes it.

#include "framework/aax/IPlugAAX.h"

#include "framework/aax/BoundaryGuard.h"
#include "framework/core/ByteOrder.h"
#include "platform/AAXResults.h"

#include <cstring>
#include <vector>

namespace {

// Runs body with the current state inside the boundary guard; -20007 for a
// chunk ID other than the state's, or a state that cannot be written.
template <class Body>
int32_t WithState(IPlugBase& plug, uint32_t stateID, uint32_t chunkID, Body&& body)
{
    return GuardBoundary([&] {
        IStateChunk state;
        if (chunkID != stateID || !plug.SaveState(state))
            return kAAXResultInvalidChunkID;
        return body(state);
    });
}

}  // namespace

int32_t IPlugAAX::ChunkIDAt(int32_t index, uint32_t* chunkID)
{
    if (!chunkID)
        return kACFResultNullPointer;
    *chunkID = index == 0 ? StateChunkID() : 0;
    return index == 0 ? 0 : kAAXResultInvalidChunkIndex;
}

int32_t IPlugAAX::GetStateChunkSize(uint32_t chunkID, int32_t* sizeBytes)
{
    if (!sizeBytes)
        return kACFResultNullPointer;
    *sizeBytes = 0;
    return WithState(*this, StateChunkID(), chunkID, [&](const IStateChunk& state) {
        reportedChunkSize.store(state.Size());
        *sizeBytes = state.Size();
        return 0;
    });
}

int32_t IPlugAAX::GetStateChunk(uint32_t chunkID, AAXChunkRecord* record)
{
    if (!record)
        return kACFResultNullPointer;
    return WithState(*this, StateChunkID(), chunkID, [&](const IStateChunk& state) {
        // The host makes the record as large as the size it was told last,
        // and says so in the record: a record that cannot hold the state is
        // left alone rather than written past its end.
        if (state.Size() != reportedChunkSize.load() || record->dataSize < state.Size())
            return kAAXResultWrongDataSize;
        record->dataSize = state.Size();
        if (state.Size() > 0)
            std::memcpy(record->Data(), state.Data(), static_cast<size_t>(state.Size()));
        return 0;
    });
}

int32_t IPlugAAX::SetStateChunk(uint32_t chunkID, const AAXChunkRecord* record)
{
    if (!record)
        return kACFResultNullPointer;
    return WithState(*this, StateChunkID(), chunkID, [&](const IStateChunk& current) {
        PlatformLockGuard guard(GetLock());  // the whole state changes between two blocks
        if (record->dataSize < current.Size())
            return kAAXResultWrongDataSize;
        IStateChunk stored;
        if (!stored.PutBytes(record->Data(), record->dataSize))
            return kAAXResultInvalidChunkID;
        if (LoadState(stored, 0) < 0)
            return kAAXResultWrongDataSize;
        SendAllParamsToHost();
        RefreshParamControls();
        NoteChange();
        return 0;
    });
}

int32_t IPlugAAX::CompareStateChunk(const AAXChunkRecord* record, uint8_t* equal)
{
    if (!record || !equal)
        return kACFResultNullPointer;
    return GuardBoundary([&] {
        *equal = 1;
        if (record->chunkID != StateChunkID())
            return 0;
        const int32_t count = record->dataSize > 0 ? record->dataSize / 8 : 0;
        std::vector<double> values(static_cast<size_t>(count));
        for (int32_t i = 0; i < count; ++i)
            values[static_cast<size_t>(i)] = LoadDoubleLE(record->Data() + 8 * static_cast<size_t>(i));
        PlatformLockGuard guard(GetLock());
        *equal = CompareParams(values.data(), count, 0) ? 1 : 0;
        return 0;
    });
}
