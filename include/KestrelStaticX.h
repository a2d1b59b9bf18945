// CStaticX, the base of the library's static-derived controls, and the two divider statics
// that turn a dialog's static control into a thin dark line.
#pragma once
#include "KestrelFramework.h"

// A static control that never takes an input-method context: each activation detaches and
// destroys the one the system gave it.
class KESTREL_API CStaticX : public CStatic {
public:
    CStaticX() = default;
    ~CStaticX() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A horizontal divider: the subclassed static keeps its width and becomes one pixel high.
class KESTREL_API CxSpltStatic : public CStaticX {
public:
    CxSpltStatic() = default;
    ~CxSpltStatic() override = default;

    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();

protected:
    void PreSubclassWindow() override;
    DECLARE_MESSAGE_MAP()
};

// A vertical divider: the subclassed static keeps its height and becomes two pixels wide, a
// dark column beside a lighter one.
class KESTREL_API CySpltStatic : public CStaticX {
public:
    CySpltStatic() = default;
    ~CySpltStatic() override = default;

    BOOL OnEraseBkgnd(CDC* pDC);

protected:
    void PreSubclassWindow() override;
    DECLARE_MESSAGE_MAP()
};
