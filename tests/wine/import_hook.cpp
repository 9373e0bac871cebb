#include "tests/wine/import_hook.h"

#include <gtest/gtest.h>

namespace {

void Store(void** slot, void* value)
{
    DWORD old;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, old, &old);
}

}  // namespace

ImportHook::ImportHook(const char* dll, const char* function, void* replacement)
{
    original_ = reinterpret_cast<void*>(GetProcAddress(LoadLibraryA(dll), function));
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(NULL));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    // The loader fills each slot with the address GetProcAddress gives.
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name != 0; ++d)
        for (auto* t = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk); t->u1.Function != 0; ++t)
            if (reinterpret_cast<void*>(t->u1.Function) == original_)
                slots_.push_back(reinterpret_cast<void**>(&t->u1.Function));
    EXPECT_FALSE(slots_.empty()) << dll << "!" << function << " is not imported";
    for (void** slot : slots_)
        Store(slot, replacement);
}

ImportHook::~ImportHook()
{
    for (void** slot : slots_)
        Store(slot, original_);
}
