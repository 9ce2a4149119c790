// Everything the geometry toolkit offers.
#pragma once

#include <tessel/ts_array.h>
#include <tessel/ts_brep.h>
#include <tessel/ts_color.h>
#include <tessel/ts_defines.h>
#include <tessel/ts_light.h>
#include <tessel/ts_line.h>
#include <tessel/ts_material.h>
#include <tessel/ts_mesh.h>
#include <tessel/ts_point.h>
#include <tessel/ts_string.h>
#include <tessel/ts_viewport.h>
#include <tessel/ts_xform.h>
