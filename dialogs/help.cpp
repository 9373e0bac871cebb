#include <windows.h>

#include <cstring>
#include <cwchar>

#include "base/msgbox.h"
#include "base/settings.h"
#include "dialogs/dialogs.h"

namespace {

typedef HWND(WINAPI* HtmlHelpFunction)(HWND caller, LPCWSTR file, UINT command, DWORD_PTR data);

const UINT HH_DISPLAY_TOPIC = 0;
// HtmlHelpW's ordinal in the HTML Help control library.
const WORD HTMLHELPW_ORDINAL = 15;
const char HHCTRL_SERVER_KEY[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";

// Found on the first call and kept for the run, as is a failure to find it.
struct HelpEntry {
    HtmlHelpFunction call;
    bool missing;
};
HelpEntry HtmlHelpEntry;

// The library where the registry says HTML Help is installed.
HMODULE LoadRegisteredHelpLibrary()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, HHCTRL_SERVER_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return NULL;
    // One byte more than asked for stays zero: a stored value without its
    // terminating zero still ends inside the buffer.
    char value[PATH_SIZE + 1];
    memset(value, 0, sizeof value);
    DWORD type = 0;
    DWORD size = PATH_SIZE;
    LONG result = RegQueryValueExA(key, NULL, NULL, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return NULL;
    if (type == REG_EXPAND_SZ) {
        // Newer systems store the path as "%SystemRoot%\...".
        char path[PATH_SIZE];
        DWORD n = ExpandEnvironmentStringsA(value, path, sizeof path);
        return n > 0 && n <= sizeof path ? LoadLibraryA(path) : NULL;
    }
    return type == REG_SZ ? LoadLibraryA(value) : NULL;
}

// HtmlHelpW, reached through the control library rather than imported, so
// that the program starts on a system without HTML Help.
HWND CallHtmlHelp(HWND caller, const wchar_t* file, UINT command, DWORD_PTR data)
{
    if (HtmlHelpEntry.missing)
        return NULL;
    if (HtmlHelpEntry.call == NULL) {
        HMODULE library = LoadRegisteredHelpLibrary();
        if (library == NULL)
            library = LoadLibraryA("hhctrl.ocx");
        if (library != NULL)
            HtmlHelpEntry.call = reinterpret_cast<HtmlHelpFunction>(
                reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(HTMLHELPW_ORDINAL))));
        if (HtmlHelpEntry.call == NULL) {
            HtmlHelpEntry.missing = true;
            return NULL;
        }
    }
    return HtmlHelpEntry.call(caller, file, command, data);
}

}  // namespace

int ShowHelp(HWND owner)
{
    wchar_t path[PATH_SIZE];
    wmemset(path, L'\0', PATH_SIZE);
    wcscpy(path, BaseDir);
    wcscat(path, L"Skerrow.chm");
    WIN32_FILE_ATTRIBUTE_DATA status;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &status)) {
        ShowMessage(owner, "ﾍﾙﾌﾟﾌｧｲﾙが存在しません。", "ｴﾗｰ", MB_OK);
        return -1;
    }
    // Opened at its default topic; the help window lives on by itself.
    if (CallHtmlHelp(owner, path, HH_DISPLAY_TOPIC, 0) == NULL) {
        ShowMessage(owner, "ﾍﾙﾌﾟﾌｧｲﾙの起動に失敗しました。", "ｴﾗｰ", MB_OK);
        return -1;
    }
    return 0;
}
