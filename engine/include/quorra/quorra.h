// Everything a host needs from the Quorra facade.
#pragma once

#include <quorra/array.h>
#include <quorra/color.h>
#include <quorra/debugger.h>
#include <quorra/dictionary.h>
#include <quorra/engine.h>
#include <quorra/export.h>
#include <quorra/geometry.h>
#include <quorra/host_application.h>
#include <quorra/mem.h>
#include <quorra/npr_string.h>
#include <quorra/object.h>
#include <quorra/scene.h>
#include <quorra/surface.h>
#include <quorra/task_progress_meter.h>
