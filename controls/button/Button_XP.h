#pragma once

// The widget now lives with the rest of the Qt shell; this name stays for the includes that
// still use it.
#include "controls/button/qt/Button_XP.h"
