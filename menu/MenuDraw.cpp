// Default item painting and measuring of CFreeMenu.
#include "KestrelMenu.h"

void CFreeMenu::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CFreeMenu::MeasureItem(LPMEASUREITEMSTRUCT)
{
}
