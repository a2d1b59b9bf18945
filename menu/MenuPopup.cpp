// The popup chain and the tracking loop.
#include "KestrelMenu.h"

BOOL InitMenu()
{
    return FALSE;
}

BOOL ExitMenu()
{
    return TRUE;
}

int CFreeMenu::TrackPopupMenu(UINT, int, int, CWnd*, LPCRECT)
{
    return 0;
}
