// Everything a host needs from Linvale: the scene it fills, the settings and
// styles of a render, the renderer with its progress interface, and the host
// services it installs.
#pragma once

#include <linvale/export.h>
#include <linvale/node.h>
#include <linvale/npr_config_file.h>
#include <linvale/npr_host_application_services.h>
#include <linvale/npr_image_file.h>
#include <linvale/npr_render_settings.h>
#include <linvale/npr_renderer.h>
#include <linvale/npr_shader.h>
#include <linvale/scene.h>
#include <linvale/scene_builder.h>
