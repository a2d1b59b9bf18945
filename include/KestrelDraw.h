// Drawing primitives shared by the controls and offered to the host: frames, arrows, signs,
// shortened text, fitted images, and a few window and rectangle helpers.
#pragma once
#include "KestrelDefs.h"
#include "KestrelFramework.h"
#include "KestrelTheme.h"

enum ENUMARROWFACE2 {
    ARROWFACE2_LEFT = 0,
    ARROWFACE2_RIGHT = 1,
    ARROWFACE2_UP = 2,
    ARROWFACE2_DOWN = 3
};

enum ENUMSIGN {
    SIGN_CHECK = 0,
    SIGN_DOT = 1
};

// A colour argument of this value asks for the function's default colour.
constexpr COLORREF KESTREL_DEFAULT_COLOR = 0xFFFFFFFF;

// One-pixel frame: style 1 raised, -1 sunken, anything else flat in DEFCLR_BK.
KESTREL_API void drawborder(CDC* pDC, CRect& rect, int style);
// One-pixel frame in shades of clr (each channel +/-50, clamped): 1 raised, -1 sunken, else flat.
KESTREL_API void draw3Dborder(CDC* pDC, CRect& rect, COLORREF clr, int style);
// One-pixel two-colour frame; the top-right and bottom-left corners take clrBottomRight.
KESTREL_API void OrmDraw3dRect(HDC hdc, CRect& rect, COLORREF clrTopLeft, COLORREF clrBottomRight);
// Filled triangle centred in rect.
KESTREL_API void DrawArrowInRect(HDC hdc, CRect& rect, ENUMARROWFACE2 face, COLORREF clr);
KESTREL_API void DrawArrowInRect(CDC* pDC, CRect& rect, ENUMARROWFACE2 face, COLORREF clr);
// Check mark or dot at a fixed place from rect's top-left corner; returns 1.
KESTREL_API int DrawSign(HDC hdc, CRect& rect, ENUMSIGN sign, COLORREF clr);
KESTREL_API int DrawSign(CDC* pDC, CRect& rect, ENUMSIGN sign, COLORREF clr);
// Select the stock DC pen/brush in clr; the previous selection is returned for restoring.
KESTREL_API HPEN SelectDCPen(HDC hdc, COLORREF clr);
KESTREL_API HBRUSH SelectDCBrush(HDC hdc, COLORREF clr);
// Paints one ring (two when style is 1 and the border is thick enough) of a window's
// non-client border. Nothing on a window without a top border.
KESTREL_API void OnNcPaintBorder(CWnd* pWnd, int style, COLORREF clrA, COLORREF clrB);
// Two-ring sunken frame of an edit field drawn on rect.
KESTREL_API void OnNcEdit(CDC* pDC, CRect rect, COLORREF clr1, COLORREF clr2);
// Centres the window on the primary screen; the int is unused.
KESTREL_API void PopWin2Center(CWnd* pWnd, int unused = 0);
// Strict overlap: rectangles that only touch do not intersect.
KESTREL_API BOOL IsRectIntersect(const RECT* a, const RECT* b);
// text itself when it fits width, else a shared buffer (overwritten by the next shortening
// call) holding the longest fitting prefix followed by "...".
KESTREL_API const wchar_t* MakeShortString(HDC hdc, const wchar_t* text, int width);
// Mode 0: rc's size is fitted into frame keeping its proportions, centred. Other modes: no change.
KESTREL_API void CalRect4Fit(const CRect& frame, CRect& rc, int mode);
// Draws entry image of an image list, or the bitmap whose handle is image fitted into rc.
KESTREL_API BOOL DrawImg(HDC hdc, int image, void* hImageList, const CRect& rc, int unused = 0);
