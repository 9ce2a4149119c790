// The Win32 subset the system is written against, one header per area.
#pragma once

#include <win32/base.h>
