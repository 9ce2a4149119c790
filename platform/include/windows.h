// The Win32 subset the system is written against, one header per area.
#pragma once

#include <win32/base.h>
#include <win32/file.h>
#include <win32/module.h>
#include <win32/process.h>
