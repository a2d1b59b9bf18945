// Library start-up and tear-down, the default theme, and the resource registry.
#pragma once
#include "KestrelDefs.h"

enum ENUMDEFAULTCOLORID {
    DEFCLR_BK = 0,
    DEFCLR_TEXT = 1,
    DEFCLR_GRAYTEXT = 2,
    DEFCLR_EDITTEXT = 3,
    DEFCLR_4 = 4,
    DEFCLR_DISABLEDTEXT = 5,
    DEFCLR_BOXLIGHT = 6,
    DEFCLR_BOXSHADOW = 7,
    DEFCLR_8 = 8,
    DEFCLR_EDITBK = 9,
    DEFCLR_10 = 10,
    DEFCLR_11 = 11,
    DEFCLR_12 = 12,
    DEFCLR_13 = 13,
    DEFCLR_14 = 14,
    DEFCLR_FOCUSTEXT = 15,
    DEFCLR_BORDER = 16,
    DEFCLR_17 = 17,
    DEFCLR_COUNT = 18
};

enum ENUMDEFAULTMETRICS {
    DEFMETRICS_0 = 0,
    DEFMETRICS_EDITMARGIN = 1,  // margin a growing edit box keeps from its parent's right and bottom
    DEFMETRICS_2 = 2,
    DEFMETRICS_3 = 3,
    DEFMETRICS_4 = 4,
    DEFMETRICS_CAPTIONHEIGHT = 5,  // height of skin bitmap 1009
    DEFMETRICS_6 = 6,
    DEFMETRICS_COUNT = 7
};

enum ENUMCAPTIONPART {
    CAPTIONPART_CLOSE = 0,
    CAPTIONPART_MAXIMIZE = 1,
    CAPTIONPART_MINIMIZE = 2,
    CAPTIONPART_RESTORE = 3,
    CAPTIONPART_GLYPH = 4,
    CAPTIONPART_DARKCOLUMN = 5,
    CAPTIONPART_LIGHTCOLUMN = 6,
    CAPTIONPART_BUTTONLEFT = 7,
    CAPTIONPART_BUTTONRIGHT = 8,
    CAPTIONPART_EDGE = 9,
    CAPTIONPART_FLAT1 = 10,
    CAPTIONPART_FLAT2 = 11,
    CAPTIONPART_12 = 12,
    CAPTIONPART_COUNT = 13
};

enum ENUMCAPTIONBTNSTATE {
    CAPTIONBTN_NORMAL = 0,
    CAPTIONBTN_1 = 1,
    CAPTIONBTN_DARK = 2,
    CAPTIONBTN_3 = 3,
    CAPTIONBTN_COUNT = 4
};

enum ENUMFRAMEBRUSH {
    FRAMEBRUSH_0 = 0,
    FRAMEBRUSH_1 = 1,
    FRAMEBRUSH_2 = 2,
    FRAMEBRUSH_3 = 3,
    FRAMEBRUSH_DARKCOLUMN = 4,
    FRAMEBRUSH_LIGHTCOLUMN = 5,
    FRAMEBRUSH_EDGETILE = 6,
    FRAMEBRUSH_FLAT1 = 7,
    FRAMEBRUSH_FLAT2 = 8,
    FRAMEBRUSH_9 = 9,
    FRAMEBRUSH_COUNT = 10
};

enum ENUMFRAMEBRUSHSTATE {
    FRAMEBRUSHSTATE_NORMAL = 0,
    FRAMEBRUSHSTATE_DARK = 1,
    FRAMEBRUSHSTATE_2 = 2,
    FRAMEBRUSHSTATE_COUNT = 3
};

// Cursors of the numeric controls, loaded together on first use by LoadCursorW(NUMCURSOR).
enum NUMCURSOR {
    NUMCURSOR_UP = 0,
    NUMCURSOR_UPDOWN = 1,
    NUMCURSOR_DOWN = 2,
    NUMCURSOR_UP_DOUBLE = 3,
    NUMCURSOR_UPDOWN_DOUBLE = 4,
    NUMCURSOR_DOWN_DOUBLE = 5,
    NUMCURSOR_COUNT = 6
};

// Theme. InitCommonFunc before any control is made; ExitCommonFunc after the last is gone.
KESTREL_API int InitCommonFunc(void);
KESTREL_API int ExitCommonFunc(void);
KESTREL_API HFONT getdefaultHFont(void);
KESTREL_API HFONT getdefCaptionHFont(void);
KESTREL_API LOGFONTW getdefaultlogfont(void);
KESTREL_API COLORREF getdefaultColor(ENUMDEFAULTCOLORID id);
KESTREL_API int getdefaultMetrics(ENUMDEFAULTMETRICS id);
KESTREL_API HBRUSH getdefaultHBrush(void);
KESTREL_API HBRUSH getdefaultHEditBrush(void);
KESTREL_API HBRUSH getdefaultHParamPanelBrush(void);
KESTREL_API HBITMAP getcaptionBmp(ENUMCAPTIONPART part, ENUMCAPTIONBTNSTATE state);
KESTREL_API HBRUSH getdefaultFBrush(ENUMFRAMEBRUSH kind, ENUMFRAMEBRUSHSTATE state);
KESTREL_API HBITMAP getdefaultHBitmapsize(void);

// Resource registry. Lookups use the low 16 bits of the id; callers never free the results.
KESTREL_API int InitResourcelib(void);
KESTREL_API int ExitResourcelib(void);
KESTREL_API HINSTANCE getHResource(void);
KESTREL_API HBITMAP GetHBmp(unsigned int id);
KESTREL_API HBRUSH GetHBrush(unsigned int id);
KESTREL_API HCURSOR GetHCursor(unsigned int id);
// The numeric-control cursor n (0 to 5); beside the system's two-argument LoadCursorW.
KESTREL_API HCURSOR LoadCursorW(NUMCURSOR n);
