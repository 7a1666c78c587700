#include "platform/win32/LayerState.h"

namespace {

// Never destroyed: objects that other static objects free at process exit
// (cached fonts, say) still find the desktop then.
std::unique_ptr<LayerState>& StateSlot()
{
    static auto* state = new std::unique_ptr<LayerState>();
    return *state;
}

template <class T>
T* AddStock(std::unique_ptr<T> object, uintptr_t& handle)
{
    object->stock = true;
    T* raw = object.get();
    handle = AddObject(std::move(object));
    return raw;
}

void AddBuiltIns(LayerState& s)
{
    uintptr_t handle = 0;
    auto bitmap = std::make_unique<BitmapObject>();
    bitmap->width = bitmap->height = 1;
    bitmap->pixels.assign(1, 0);
    AddStock(std::move(bitmap), handle);
    s.stockBitmap = ToHandle<HBITMAP>(handle);

    auto brush = std::make_unique<BrushObject>();
    brush->dcBrush = true;
    AddStock(std::move(brush), handle);
    s.stockDcBrush = ToHandle<HBRUSH>(handle);

    auto font = std::make_unique<FontObject>();
    font->request.face = "sans-serif";
    AddStock(std::move(font), handle);
    s.stockFont = ToHandle<HFONT>(handle);

    s.arrowCursor = ToHandle<HCURSOR>(s.nextHandle);
    s.nextHandle += 8;

    RegisterBuiltInClass("EDIT", EditProcedure, CS_DBLCLKS);
    RegisterBuiltInClass("#32770", DefWindowProcA, 0);  // dialogs
}

}  // namespace

LayerState& Layer()
{
    auto& slot = StateSlot();
    if (!slot)
    {
        slot = std::make_unique<LayerState>();
        AddBuiltIns(*slot);
    }
    return *slot;
}

void ResetLayer()
{
    auto& slot = StateSlot();
    // Handle values go on counting from where the old desktop stopped, so a
    // handle kept from before never names a new object.
    const uintptr_t next = slot ? slot->nextHandle : 0x10000;
    slot = std::make_unique<LayerState>();
    slot->nextHandle = next;
    AddBuiltIns(*slot);
}

uintptr_t AddObject(std::unique_ptr<LayerObject> object)
{
    LayerState& s = Layer();
    const uintptr_t handle = s.nextHandle;
    s.nextHandle += 8;
    s.objects.emplace(handle, std::move(object));
    return handle;
}

void RemoveObject(const void* handle)
{
    LayerState& s = Layer();
    const auto it = s.objects.find(reinterpret_cast<uintptr_t>(handle));
    if (it == s.objects.end())
        return;
    std::unique_ptr<LayerObject> object = std::move(it->second);
    s.objects.erase(it);
    if (s.dispatchDepth > 0)
        s.graveyard.push_back(std::move(object));
}

uint64_t NowMs() { return Layer().clock->NowMs(); }

ProcedureScope::ProcedureScope() { ++Layer().dispatchDepth; }

ProcedureScope::~ProcedureScope()
{
    // Found again: a procedure may have reset the desktop meanwhile.
    LayerState& s = Layer();
    if (s.dispatchDepth > 0 && --s.dispatchDepth == 0)
        s.graveyard.clear();
}

LRESULT CallProcedure(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!proc)
        return 0;
    const ProcedureScope scope;
    return proc(hwnd, message, wParam, lParam);
}

FontFace& FaceOf(FontObject& font)
{
    if (!font.face)
        font.face = FontFace::Create(font.request);
    if (!font.face)
    {
        FontRequest fallback;
        fallback.face = kBlockFaceName;
        font.face = FontFace::Create(fallback);
    }
    return *font.face;
}
