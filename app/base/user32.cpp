#include "app/base/user32.h"

#include "app/base/msgbox.h"

SetLayeredAttributesFunction SetLayeredAttributes;

namespace {
HMODULE User32Module;
}

int BindUser32()
{
    User32Module = LoadLibraryA("user32.dll");
    if (User32Module == NULL) {
        ShowMessage(NULL, "USER32.DLLが読み込めませんでした。", "Error", MB_ICONERROR);
        return -1;
    }
    SetLayeredAttributes = reinterpret_cast<SetLayeredAttributesFunction>(
        reinterpret_cast<void*>(GetProcAddress(User32Module, "SetLayeredWindowAttributes")));
    if (SetLayeredAttributes == NULL) {
        ShowMessage(NULL,
                    "SetLayeredWindowAttributes()関数のポインタが取得できませんでした。"
                    "Windows2000以降ではない可能性があります。",
                    "Error", MB_ICONERROR);
        UnbindUser32();
        return -1;
    }
    return 0;
}

void UnbindUser32()
{
    if (User32Module != NULL)
        FreeLibrary(User32Module);
    User32Module = NULL;
    SetLayeredAttributes = NULL;
}
