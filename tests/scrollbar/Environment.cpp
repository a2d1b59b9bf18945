#include "Harness.h"

// Every scroll bar test runs with the theme started.
static ::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new kx::LibraryEnvironment);
