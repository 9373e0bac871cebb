#include "base/msgbox.h"

#include <cstring>
#include <string>

#include "base/wide.h"

int ShowMessage(HWND owner, const char* text, const char* caption, UINT flags)
{
    std::wstring wide(strlen(text) + 1, L'\0');
    Wide932 wideCaption(caption);
    return MessageBoxW(owner, WideFrom932(text, -1, &wide[0], static_cast<int>(wide.size())), wideCaption.text, flags);
}
