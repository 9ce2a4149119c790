// The Win32 subset the system is written against, one header per area.
#pragma once

#include <win32/base.h>
#include <win32/directory.h>
#include <win32/file.h>
#include <win32/format_message.h>
#include <win32/gdi.h>
#include <win32/known_folders.h>
#include <win32/memory.h>
#include <win32/message_box.h>
#include <win32/module.h>
#include <win32/process.h>
#include <win32/profile.h>
#include <win32/registry.h>
#include <win32/wgl.h>
