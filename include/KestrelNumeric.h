// Numeric controls: the number model shared by the numeric editor and the numeric label, and
// CNumEdit, an editor whose value is dragged, stepped, typed over or picked from a menu.
#pragma once
#include "KestrelFramework.h"
#include "KestrelTheme.h"
#include "KestrelEdit.h"
#include "KestrelAutoRepeat.h"

// Kinds of change reported to the parent (WM_COMMAND high word for CNumEdit).
enum ENUMNUMNOTIFY {
    NUMN_BEGINCHANGE = 1,  // before the first change of one interaction
    NUMN_CHANGING = 2,     // after each change of a drag or an auto-repeat
    NUMN_ENDCHANGE = 3,    // when an interaction that changed the value ends
    NUMN_CHANGED = 4       // the label's one-shot change
};

// Value exchange with a CNumEdit: wParam NUMEXCHANGE_READ or NUMEXCHANGE_WRITE, lParam the
// address of a float (WM_EXCHANGENUM) or an int (WM_EXCHANGEINT, which also drops the decimals).
#define WM_EXCHANGENUM 0x1413
#define WM_EXCHANGEINT 0x1504
constexpr WPARAM NUMEXCHANGE_READ = 1;
constexpr WPARAM NUMEXCHANGE_WRITE = 2;

// WM_NOTIFY code of the numeric label.
constexpr UINT NUMSTATIC_NOTIFYCODE = 2035;

struct NMNUMSTATIC {
    NMHDR hdr;
    UINT kind;  // ENUMNUMNOTIFY
};

// Child id of the in-place editor the numeric controls open over their value.
constexpr UINT NUM_EDITBOX_ID = 7995;

// Text forms of values are built in buffers of this many characters (terminator included).
constexpr int NUM_TEXT_MAX = 16;
// Decimal counts are kept in this range; -1 and 0 both show whole numbers.
constexpr int NUM_DECIMAL_MIN = -1;
constexpr int NUM_DECIMAL_MAX = 6;

// Range, default value, gap, mouse gap and decimal count, with the clamping and formatting rules
// both numeric controls follow. Needs no window.
class KESTREL_API CNumberModel {
public:
    float GetNumberGap() const { return m_fGap; }
    int GetMouseGap() const { return m_nMouseGap; }
    int GetDicimalNum() const { return m_nDicimalNum; }
    float GetMaxValue() const { return m_fMaxValue; }
    float GetMinValue() const { return m_fMinValue; }
    float GetDefValue() const { return m_fDefValue; }

    // Decimal digits of |n| (1 for 0 to 9).
    static int DigitCount(int n);
    // The in-place editor's input style for a decimal count: integer-only for exactly 0.
    static DWORD EditStyleFor(int decimals);
    // Writes v as the controls show it: whole numbers rounded ties-to-even, otherwise with
    // the decimal count's digits. buffer holds NUM_TEXT_MAX characters.
    static void FormatValue(wchar_t* buffer, float v, int decimals);

protected:
    CNumberModel(float maximum, float minimum, float defValue, float gap, int mouseGap, int decimals);
    virtual ~CNumberModel() = default;

    // Stores the range unless it is already first..second; TRUE when it was stored anew.
    BOOL StoreRange(double first, double second);
    // Applies the default rule; TRUE when the stored default changed.
    BOOL StoreDefault(double first, double second, double defValue);
    // Clamps and stores the decimal count; TRUE when it changed.
    BOOL StoreDicimalNum(int count);
    float ClampValue(float v) const;
    // Clamps to the bounds truncated toward zero.
    int ClampInt(int n) const;

    float m_fMaxValue;
    float m_fMinValue;
    float m_fDefValue;
    float m_fGap;
    int m_nMouseGap;
    int m_nDicimalNum;
};

// The numeric editor: a row of one-character places in a monospaced font beside two step
// buttons. Reports changes to its parent with WM_COMMAND (ENUMNUMNOTIFY in the high word).
namespace kestrel { class PaintBuffer; }

class KESTREL_API CNumEdit : public CWnd, public CNumberModel {
public:
    CNumEdit();
    ~CNumEdit() override;

    BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle);
    using CWnd::Create;

    // Range in either order; a default strictly between descending bounds becomes first.
    void SetNumberMinMax(double first, double second, double defValue);
    void SetNumberGap(float gap);
    void SetMouseGap(int pixels);
    void SetDicimalNum(int count);
    // Clamps, rounds through the text form and repaints the changed places. No notification.
    void SetCurValue(float v);
    // Clamps to the truncated bounds; stored exactly. No notification.
    void SetCurValue(int n);
    // Repairs an out-of-range value to the bound it passed.
    float GetCurValue();
    int GetCurIntValue() const;
    int GetRightPlace();

    void SetBkColor(COLORREF clr);
    void SetEditBkColor(COLORREF clr);
    void SetFgColor(COLORREF clr);
    COLORREF GetBkColor() const { return m_clrBk; }
    COLORREF GetEditBkColor() const { return m_clrEditBk; }
    COLORREF GetFgColor() const { return m_clrFg; }

    // A "Courier New" font of the size; the caller owns it.
    HFONT CreateFontW(int width, int height);
    // The split of a rectangle into the text part and the step column (either may be null).
    void GetRects(LPCRECT client, LPRECT text, LPRECT step) const;
    RECT GetItemRect(UINT place) const;
    // A place (0 and above), -1 upper button, -2 lower button; 0 also for anywhere else.
    int HitTest(CPoint point) const;
    const RECT& GetTextRect() const { return m_rcText; }
    HFONT GetNumFont() const { return m_hFont; }

    // Opens the in-place editor over the value.
    void DisplayEditBox();
    CEditCtrl& GetEditBox() { return m_editBox; }
    // Milliseconds of the auto-repeat timers: 100 for the repeat, 150 otherwise.
    virtual int GetTimerWait(int nTimerId);

protected:
    // The window style the model reads its alignment (low two bits) and read-only bit from.
    virtual DWORD GetNumStyle() const;
    UINT GetAlignment() const { return GetNumStyle() & 3; }
    BOOL IsReadOnly() const { return (GetNumStyle() & ES_READONLY) != 0; }

    void GetString(wchar_t* buffer, float v) const;
    int GetMaxDigit() const;
    int GetCurDigit(float v) const;
    int GetMiddleStartPlace(float v) const;
    int GetItemValue(UINT place, float v) const;
    void FindSuitPlace(int& place) const;
    // The one writer of the current value; repaints the places that differ.
    void SetValue(float v);
    // First and last place that differ between two values (-1 when none).
    void GetChangedPlaces(float from, float to, int& first, int& last) const;
    void NotifyParent(unsigned long code);

    void RecreateFont();
    // The text box (client inset by 1, left of the separator) and the step column.
    void GetBoxRects(CRect& text, CRect& step) const;
    void GetButtonRect(BOOL bUpper, CRect& button) const;

    virtual void OnFillBackgroud(CDC* pDC, const CRect& rcPaint);
    virtual void PaintText(CDC* pDC, const CRect& rcPaint);
    virtual void PaintStep(CDC* pDC, const CRect& rcPaint);
    virtual void AnimateText(CPoint point);
    virtual void AnimateStep(CPoint point, int up);

    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnPaint();
    void OnNcPaint();
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnEditHide(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnExChangeNum(WPARAM wParam, LPARAM lParam);
    LRESULT OnExChangeInt(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnable(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    void NotifyValueChange();

    float m_fCurValue;
    HFONT m_hFont;
    POINT m_ptCaret;
    RECT m_rcText;
    COLORREF m_clrEditBk;
    COLORREF m_clrBk;
    COLORREF m_clrFg;
    CEditCtrl m_editBox;

    DECLARE_MESSAGE_MAP()

private:
    friend class CNumEditAccessible;
    // Keyboard editing of OnChar: the new value for a code typed at place h.
    float EditValueAt(UINT code, int h, float v) const;
    void MoveCaret(UINT code);
    int EndPlace(float v) const;
    // The place where the text of v starts in the row (the alignment decides).
    long long TextStartPlace(float v) const;
    // The step button framed as pressed, on a device context taken for this drawing only.
    void DrawPressedButton(const CRect& button);

    // Whether the control has the keyboard focus, followed from its focus messages so that a
    // paint need not ask the system.
    BOOL m_bHasFocus = FALSE;
    // Set while OnPaint runs: its context is clipped to the update region.
    BOOL m_bPaintClipped = FALSE;
    kestrel::PaintBuffer* m_pPaintBuffer = nullptr;  // the paints' kept context
    bool Reaches(const CRect& rcPaint, const CRect& frame) const;
};

// Dialog data exchange through the library messages (int drops the control's decimals).
KESTREL_API void DDX_NumEdit(CDataExchange* pDX, int nIDC, float& value);
KESTREL_API void DDX_NumEdit(CDataExchange* pDX, int nIDC, int& value);
// Window text both ways; suits the numeric label, whose value is its text.
KESTREL_API void DDX_NumEdit(CDataExchange* pDX, int nIDC, CString& value);

// ---- The numeric label ----
#include "KestrelStaticX.h"

// A static control whose text is its value: dragged vertically to change it, double-clicked on
// the text (or F2) to type it, double-clicked beside the text to reset it, right-clicked for
// the maximum, minimum and default. Reports to its parent with WM_NOTIFY NUMSTATIC_NOTIFYCODE
// (NMNUMSTATIC). An input style without INPUTSTYLE_NUMBER and INPUTSTYLE_INTEGER makes it a
// plain text label whose single click opens the editor and whose value only the host changes.
class KESTREL_API CNumStatic : public CStaticX, public CNumberModel {
public:
    CNumStatic();
    ~CNumStatic() override;
    // Dynamic creation: a new label with the initial members.
    static CNumStatic* CreateObject();

    // CStatic::Create with SS_NOTIFY added; on success keeps the input style and gives it to
    // the in-place editor.
    BOOL Create(LPCWSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                DWORD dwInputStyle);

    // Range in either order; a text outside the new range is rewritten to the nearer bound.
    void SetNumberMinMax(double first, double second, double defValue);
    void GetNumberMinMax(double& minimum, double& maximum, double& defValue) const;
    void SetNumberGap(float gap);
    void SetMouseGap(int pixels);
    void SetDicimalNum(int count);
    void SetInputStyle(unsigned long style);
    unsigned long GetInputStyle() const { return m_dwInputStyle; }
    BOOL IsNumeric() const { return (m_dwInputStyle & (INPUTSTYLE_NUMBER | INPUTSTYLE_INTEGER)) != 0; }

    // Clamped and formatted; the window text changes only when it differs.
    void SetText(float v);
    // Clamped to the truncated bounds and written as a whole number.
    void SetText(int n);
    // The text as a number, clamped; an out-of-range text is rewritten.
    float GetText();
    int GetIntText() const;

    CEditCtrl& GetEditBox() { return m_editBox; }
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    // The drag started by a press at point.
    virtual void HandleMouseMsg(CPoint point);
    void NotifyParent(unsigned long code);
    // The part of the client area the text covers, for telling a double-click on it apart.
    CRect GetTextBox();

    void OnDestroy();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnMouseMove(UINT nFlags, CPoint point);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    void OnKillFocus(CWnd* pNewWnd);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnEditHide(NMHDR* pNMHDR, LRESULT* pResult);
    void OnNcPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

    DWORD m_dwInputStyle;
    CEditCtrl m_editBox;
    int m_nHover;  // 1 while leave tracking is armed

    DECLARE_MESSAGE_MAP()

private:
    friend class CNumStaticAccessible;
    void DisplayEditBox();
    // A one-shot change: begin, the new text, changed. FALSE when a handler destroyed the label.
    BOOL ChangeOnce(float v);
    HFONT m_hUnderlineFont;  // made for a borderless label, deleted with its window
};
