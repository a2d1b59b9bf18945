// Kestrel: every exported header of the library.
#pragma once
#include "KestrelFramework.h"
#include "KestrelTheme.h"
#include "KestrelDraw.h"
#include "KestrelMemDC.h"
#include "KestrelToolTip.h"
#include "KestrelUtil.h"
#include "KestrelProgress.h"
#include "KestrelOrmProgress.h"
#include "KestrelEdit.h"
#include "KestrelNumeric.h"
#include "KestrelStaticX.h"
#include "KestrelMenu.h"
