// Kestrel: every exported header of the library.
#pragma once
#include "KestrelFramework.h"
#include "KestrelTheme.h"
#include "KestrelProgress.h"
