// The framework layer: windows, message maps, device contexts, GDI objects, strings,
// containers, exceptions and module support.
#pragma once
#include "framework/Types.h"
#include "framework/Exceptions.h"
#include "framework/String.h"
#include "framework/Collections.h"
#include "framework/Gdi.h"
#include "framework/MessageMap.h"
#include "framework/Window.h"
#include "framework/TrackLoop.h"
#include "framework/Module.h"
