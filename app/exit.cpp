#include "app/msgbox.h"
#include "app/settings.h"
#include "app/startup.h"
#include "document/document.h"
#include "res/resource.h"
#include "window/mainwnd.h"

int SaveAndRelease(HWND window, int ask)
{
    if (ask != 0 &&
        ShowMessage(window, "終了します。よろしいですか？", "Skerrow", MB_OKCANCEL | MB_DEFBUTTON2) != IDOK)
        return -1;

    WriteIntKey("WINDOW", "FLAG", AppSettings.FLAG);
    WriteIntKey("WINDOW", "X", AppSettings.X);
    WriteIntKey("WINDOW", "Y", AppSettings.Y);
    WriteIntKey("WINDOW", "WIDTH", AppSettings.WIDTH);
    WriteIntKey("WINDOW", "HEIGHT", AppSettings.HEIGHT);
    WriteIntKey("BACKUP", "BackNo", AppSettings.BackNo);
    WriteStringKey("BACKUP", "BackFile", AppSettings.BackFile);

    if (AutoFlg != 0)
        KillTimer(window, TIMER_AUTOFEED);
    // An open or restore waiting on its question still needs its text; it
    // is released when the program closes after it.
    if (!DocBusy)
        ReleaseText();
    return 0;
}
