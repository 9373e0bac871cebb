#include "dialogs/dialogs.h"

void ShowOptionsSheet(HWND, HINSTANCE)
{
}
