#include "dialogs/dialogs.h"

int JumpCommand(HWND, HINSTANCE)
{
    return 0;
}

int FileInfoCommand(HWND, HINSTANCE)
{
    return 0;
}

void ShowVersionDialog(HWND, HINSTANCE)
{
}

int ShowHelp(HWND)
{
    return -1;
}
