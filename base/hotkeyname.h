// The words a user reads for a hot key, such as "Ctrl+Alt+F7".
#ifndef SKERROW_BASE_HOTKEYNAME_H
#define SKERROW_BASE_HOTKEYNAME_H

#include <cstddef>

// Writes the modifiers that are non-zero, in the order Ctrl, Shift, Alt,
// then the key with virtual-key code `key`, joined by '+', into out (size
// bytes, cut to fit). Keys whose name does not depend on the keyboard
// layout are named here; any other key by keyChar, the character it types
// on the user's layout, or by its code ("0xE2") when it types none.
void FormatHotKey(int key, int alt, int ctl, int sft, char keyChar, char* out, size_t size);

#ifdef _WIN32
#include <windows.h>

// FormatHotKey with the character the key types on this system's layout.
void DescribeHotKey(int key, int alt, int ctl, int sft, char* out, size_t size);

// The modifier flags of RegisterHotKey.
UINT HotKeyModifiers(int alt, int ctl, int sft);
#endif

#endif
