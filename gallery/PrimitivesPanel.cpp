// Every drawing primitive on one panel, painted off-screen, plus a hover tip driven by hand.
#include "Panels.h"
#include <KestrelDraw.h>
#include <KestrelMemDC.h>
#include <KestrelToolTip.h>
#include <cwchar>

namespace {

constexpr int kMargin = 12;
constexpr int kLabelHeight = 16;
constexpr int kRowHeight = 58;
constexpr int kBox = 28;
constexpr int kGap = 10;
constexpr int kIconSize = 16;
// Registry bitmaps: six 16 x 16 icons for the image list, and a larger picture to fit.
constexpr unsigned kFirstIcon = 10077;
constexpr int kIconCount = 6;
constexpr unsigned kPicture = 10021;
const COLORREF kTipColour = RGB(230, 240, 255);

class PrimitivesPanel : public CWnd {
public:
    bool Open(CWnd* parent, const CRect& area)
    {
        if (!CreateEx(0, GalleryPanelClass(), L"", WS_CHILD | WS_VISIBLE, area, parent, 0)) return false;
        m_images = ImageList_Create(kIconSize, kIconSize, ILC_COLOR24, kIconCount, 0);
        for (int i = 0; i < kIconCount; ++i)
            if (HBITMAP icon = GetHBmp(kFirstIcon + i)) ImageList_Add(m_images, icon, nullptr);
        return true;
    }

protected:
    int Row(int n) const { return kMargin + n * kRowHeight; }
    CRect Cell(int row, int column) const
    {
        const int x = kMargin + column * (kBox + kGap);
        const int y = Row(row) + kLabelHeight + 4;
        return CRect(x, y, x + kBox, y + kBox);
    }
    CRect HoverRect() const { return Cell(3, 6) | Cell(3, 8); }

    void Label(CDC& dc, int x, int y, const wchar_t* text)
    {
        dc.TextOut(x, y, text, static_cast<int>(std::wcslen(text)));
    }

    void Paint(CDC& dc, const CRect& client)
    {
        dc.FillSolidRect(&client, getdefaultColor(DEFCLR_BK));
        HGDIOBJ oldFont = dc.SelectObject(getdefaultHFont());
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(getdefaultColor(DEFCLR_TEXT));

        // Frames: raised, sunken and flat borders, shaded borders of a colour, a two-colour frame.
        Label(dc, kMargin, Row(0), L"Borders: raised, sunken, flat; shaded; two-colour");
        const COLORREF teal = RGB(40, 130, 140);
        const int styles[] = {1, -1, 0};
        int column = 0;
        for (int style : styles) {
            CRect r = Cell(0, column++);
            // On the edit background so that the flat frame in the panel's colour shows.
            dc.FillSolidRect(&r, getdefaultColor(DEFCLR_EDITBK));
            drawborder(&dc, r, style);
        }
        for (int style : styles) {
            CRect r = Cell(0, column++);
            draw3Dborder(&dc, r, teal, style);
        }
        CRect two = Cell(0, column++);
        OrmDraw3dRect(dc, two, RGB(200, 200, 90), RGB(120, 40, 40));

        // Arrows in each direction and both signs.
        Label(dc, kMargin, Row(1), L"Arrows and signs");
        const ENUMARROWFACE2 faces[] = {ARROWFACE2_LEFT, ARROWFACE2_RIGHT, ARROWFACE2_UP, ARROWFACE2_DOWN};
        const COLORREF arrow = getdefaultColor(DEFCLR_EDITTEXT);
        column = 0;
        for (ENUMARROWFACE2 face : faces) {
            CRect r = Cell(1, column++);
            drawborder(&dc, r, -1);
            DrawArrowInRect(&dc, r, face, arrow);
        }
        CRect check = Cell(1, column++);
        drawborder(&dc, check, -1);
        DrawSign(&dc, check, SIGN_CHECK, arrow);
        CRect dot = Cell(1, column++);
        drawborder(&dc, dot, -1);
        DrawSign(&dc, dot, SIGN_DOT, arrow);

        // An edit-style frame holding a text too long for it.
        Label(dc, kMargin, Row(2), L"Edit frame with a shortened text");
        CRect field(kMargin, Row(2) + kLabelHeight + 4, kMargin + 170, Row(2) + kLabelHeight + 26);
        dc.FillSolidRect(&field, getdefaultColor(DEFCLR_EDITBK));
        OnNcEdit(&dc, field, KESTREL_DEFAULT_COLOR, KESTREL_DEFAULT_COLOR);
        CRect textArea = field;
        textArea.DeflateRect(5, 2);
        dc.SetTextColor(getdefaultColor(DEFCLR_EDITTEXT));
        const wchar_t* shortText =
            MakeShortString(dc, L"A caption far too long for the field that holds it", textArea.Width());
        dc.DrawText(shortText, -1, &textArea, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        dc.SetTextColor(getdefaultColor(DEFCLR_TEXT));

        // Images from an image list and a bitmap fitted into a frame; the hover target.
        Label(dc, kMargin, Row(3), L"Image list, fitted bitmap");
        for (int i = 0; i < kIconCount; ++i) {
            CRect r = Cell(3, 0);
            r.OffsetRect(i * (kIconSize + 4), 6);
            DrawImg(dc, i, m_images, r, 0);
        }
        CRect frame = Cell(3, 4) | Cell(3, 5);
        frame.InflateRect(0, 4);
        draw3Dborder(&dc, frame, getdefaultColor(DEFCLR_BK), -1);
        frame.DeflateRect(1, 1);
        if (HBITMAP picture = GetHBmp(kPicture))
            DrawImg(dc, static_cast<int>(reinterpret_cast<INT_PTR>(picture)), nullptr, frame, 0);

        CRect hover = HoverRect();
        dc.FillSolidRect(&hover, getdefaultColor(DEFCLR_EDITBK));
        drawborder(&dc, hover, m_hovering ? 1 : -1);
        dc.DrawText(L"Hover me", -1, &hover, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

        dc.SelectObject(oldFont);
    }

    void OnPaint()
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        // Painted off-screen first so that the frames do not flicker while the tip moves.
        CMemDCHelper mem(dc, client);
        CDC* off = mem.GetDC();
        if (off == nullptr) {
            Paint(dc, client);
            return;
        }
        Paint(*off, client);
        dc.BitBlt(client.left, client.top, client.Width(), client.Height(), off, client.left, client.top, SRCCOPY);
    }
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }

    void OnMouseMove(UINT, CPoint pt)
    {
        const bool inside = HoverRect().PtInRect(pt) != FALSE;
        if (inside && !m_hovering) {
            TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, m_hWnd, 0};
            ::TrackMouseEvent(&tme);
            m_hovering = true;
            BeginToolTip(kTipColour);
            InvalidateRect(HoverRect(), FALSE);
        } else if (!inside && m_hovering) {
            StopHover();
            return;
        }
        if (!m_hovering) return;
        wchar_t text[64];
        std::swprintf(text, sizeof(text) / sizeof(text[0]), L"Pointer at %d, %d", pt.x, pt.y);
        CPoint screen = pt;
        ClientToScreen(&screen);
        tooltip_string(text, CPoint(screen.x + 16, screen.y + 20));
    }
    void OnMouseLeave()
    {
        if (m_hovering) StopHover();
    }
    void StopHover()
    {
        m_hovering = false;
        EndToolTip();
        InvalidateRect(HoverRect(), FALSE);
    }
    void OnDestroy()
    {
        if (m_hovering) EndToolTip();
        if (m_images) ImageList_Destroy(m_images);
        m_images = nullptr;
        CWnd::OnDestroy();
    }
    // The panel lives as long as its window.
    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()

private:
    HIMAGELIST m_images = nullptr;
    bool m_hovering = false;
};

BEGIN_MESSAGE_MAP(PrimitivesPanel, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

}  // namespace

CWnd* CreatePrimitivesPanel(CWnd* parent, const CRect& area)
{
    return OpenPanel<PrimitivesPanel>(parent, area);
}
