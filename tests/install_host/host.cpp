// Consumes Kestrel through its installed package only. Exit code 0 means every check held.
#include <Kestrel.h>

#include <cstdio>

int main()
{
    int failures = 0;

    InitCommonFunc();

    COLORREF editBk = getdefaultColor(DEFCLR_EDITBK);
    if (editBk != RGB(26, 35, 46)) {
        std::printf("FAIL: getdefaultColor(DEFCLR_EDITBK) = 0x%06lX, expected RGB(26,35,46)\n",
                    static_cast<unsigned long>(editBk));
        ++failures;
    }

    // Thrown inside Kestrel.dll, caught here: needs one shared C++ runtime on both sides.
    bool caught = false;
    try {
        AfxThrowResourceException();
    } catch (CResourceException* e) {
        e->Delete();
        caught = true;
    } catch (...) {
        std::printf("FAIL: AfxThrowResourceException threw something other than CResourceException*\n");
        ++failures;
    }
    if (!caught) {
        std::printf("FAIL: CResourceException* not caught in the host\n");
        ++failures;
    }

    ExitCommonFunc();

    if (failures == 0)
        std::printf("install_host: all checks passed\n");
    return failures == 0 ? 0 : 1;
}
