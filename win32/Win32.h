// The Windows API as this front-end uses it: wide characters, no min/max macros, and no
// MessageBox macro, which would rename forms::View::MessageBox.
#pragma once

#ifndef UNICODE
#define UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef MessageBox
