#include "base/hotkeyname.h"

#include <cstdio>

namespace {

struct KeyName {
    int key;
    const char* name;
};

// Virtual-key codes whose key is the same on every layout.
const KeyName NAMES[] = {
    {0x08, "Backspace"}, {0x09, "Tab"},       {0x0D, "Enter"},     {0x13, "Pause"},      {0x14, "Caps Lock"},
    {0x1B, "Esc"},       {0x20, "Space"},     {0x21, "Page Up"},   {0x22, "Page Down"},  {0x23, "End"},
    {0x24, "Home"},      {0x25, "Left"},      {0x26, "Up"},        {0x27, "Right"},      {0x28, "Down"},
    {0x2C, "Print Screen"}, {0x2D, "Insert"}, {0x2E, "Delete"},    {0x6A, "Num *"},      {0x6B, "Num +"},
    {0x6D, "Num -"},     {0x6E, "Num ."},     {0x6F, "Num /"},     {0x90, "Num Lock"},   {0x91, "Scroll Lock"},
};

}  // namespace

void FormatHotKey(int key, int alt, int ctl, int sft, char keyChar, char* out, size_t size)
{
    char name[16];
    const char* known = NULL;
    for (const KeyName& k : NAMES)
        if (k.key == key)
            known = k.name;
    if (known != NULL)
        snprintf(name, sizeof name, "%s", known);
    else if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        snprintf(name, sizeof name, "%c", key);
    else if (key >= 0x60 && key <= 0x69)
        snprintf(name, sizeof name, "Num %d", key - 0x60);
    else if (key >= 0x70 && key <= 0x87)
        snprintf(name, sizeof name, "F%d", key - 0x6F);
    else if (keyChar > ' ' && keyChar < 0x7F)
        snprintf(name, sizeof name, "%c", keyChar);
    else
        snprintf(name, sizeof name, "0x%02X", key & 0xFF);
    if (size > 0)
        snprintf(out, size, "%s%s%s%s", ctl != 0 ? "Ctrl+" : "", sft != 0 ? "Shift+" : "", alt != 0 ? "Alt+" : "",
                 name);
}

#ifdef _WIN32
void DescribeHotKey(int key, int alt, int ctl, int sft, char* out, size_t size)
{
    // The top bit marks a dead key, which types nothing by itself.
    UINT typed = MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_CHAR);
    char keyChar = (typed & 0x80000000u) != 0 ? '\0' : static_cast<char>(typed & 0xFF);
    FormatHotKey(key, alt, ctl, sft, keyChar, out, size);
}

UINT HotKeyModifiers(int alt, int ctl, int sft)
{
    return (alt != 0 ? MOD_ALT : 0) | (ctl != 0 ? MOD_CONTROL : 0) | (sft != 0 ? MOD_SHIFT : 0);
}
#endif
