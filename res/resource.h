/* Every id of the program, in one place: resources, commands, controls,
   timers, hot keys and the notification-area icon. */
#ifndef SKERROW_RESOURCE_H
#define SKERROW_RESOURCE_H

/* Resources (100s) */
#define IDI_MAIN            102
#define IDR_TRAYMENU        103
#define IDD_VERSION         105
#define IDD_OPT_GENERAL     107
#define IDD_OPT_DISPLAY     108
#define IDR_POPUPMENU       109
#define IDD_JUMP            110
#define IDD_FILEINFO        112
#define IDD_OPT_HOTKEY      114
#define IDD_FIND            116
#define IDD_CHAPTERS        117
#define IDD_BOOKMARKS       118

/* Controls (1000s), named after their dialog where they are not shared */
#define IDC_VERSION         1001
#define IDC_SITE            1002
#define IDC_FLAG            1003
#define IDC_BLANKSKIP       1004
#define IDC_LINEDISP        1005
#define IDC_FACENAME        1006
#define IDC_FONT            1007
#define IDC_BACKCOLOR       1008
#define IDC_BORDERFLG       1009
#define IDC_LAYNUM          1010
#define IDC_LINENO          1011
#define IDC_BACKFLG         1012
#define IDC_ENDFLG          1013
#define IDC_INFOTEXT        1015
#define IDC_DEFAULT         1016
#define IDC_RUNWAIT         1022
#define IDC_TABSCOL         1023
#define IDC_ONHOTKEY        1024
#define IDC_MENUHOTKEY      1025
#define IDC_FINDTEXT        1026
#define IDC_MATCHCASE       1027
#define IDC_FINDUP          1028
#define IDC_FINDDOWN        1029
#define IDC_NOTATION        1030
#define IDC_RUBYPAREN       1031
#define IDC_CHAPTERLIST     1032
#define IDC_NOCHAPTERS      1033
#define IDC_OPAQUETEXT      1034
#define IDC_LEAVEHIDE       1035
#define IDC_LEAVEWAIT       1036
#define IDC_FEEDBYLENGTH    1037
#define IDC_FEEDSPEED       1038
#define IDC_NEXTHOTKEY      1039
#define IDC_PREVHOTKEY      1040
#define IDC_FEEDHOTKEY      1041
#define IDC_PROGRESSLINE    1042
#define IDC_MARKLIST        1043
#define IDC_NOMARKS         1044

/* Menu commands (40000s) */
#define IDM_EXIT            40001
#define IDM_OPEN            40002
#define IDM_VERSION         40004
#define IDM_HELP            40005
#define IDM_OPTION          40006
#define IDM_JUMP            40007
#define IDM_CLEAR           40008
#define IDM_INFO            40009
#define IDM_AUTOFEED        40012
#define IDM_FIND            40013
#define IDM_FINDNEXT        40014
#define IDM_FINDPREVIOUS    40015
#define IDM_CHAPTERS        40016
#define IDM_MARK            40018
#define IDM_BOOKMARKS       40019
/* The recent texts: IDM_RECENT + 0 to 9, the list emptied, the empty list */
#define IDM_RECENT          40020
#define IDM_RECENTCLEAR     40030
#define IDM_RECENTNONE      40031
/* The encodings to read the open text in: told from its bytes, then
   IDM_ENCODING + each TextEncoding (0 to 6) */
#define IDM_ENCODINGTOLD    40040
#define IDM_ENCODING        40041

/* Timers, hot keys and the notification-area icon */
#define TIMER_AUTOFEED      275
#define TIMER_NUMKEY        3180
#define TIMER_SAVEPLACE     3181
#define TIMER_LONGWORK      3182
#define TIMER_POINTER       3183
#define HOTKEY_NEXT         5993
#define HOTKEY_PREV         5994
#define HOTKEY_FEED         5995
#define HOTKEY_SHOW         5996
#define HOTKEY_MENU         5997
#define HOTKEY_PROBE        5998
#define TRAY_ICON_ID        5999
#define WM_TRAYNOTIFY       3177
/* The window's own messages: the next slice of long work, and the command
   that waited for it */
#define WM_LONGWORK         (0x8000 + 1)
#define WM_WAITINGCOMMAND   (0x8000 + 2)

#endif
