// Counters the test plug-ins bump and the tests read. They live in a library
// of their own because a plug-in's own state goes away with the plug-in.
#pragma once

#define SHADER_PROBE_API extern "C" __attribute__((visibility("default")))

enum ShaderProbeEvent {
  ShaderProbeDeleted,
  ShaderProbeDefaultBitmap,
  ShaderProbeMainDialogSet,
  ShaderProbeEventCount,
};

SHADER_PROBE_API void ShaderProbeNote(ShaderProbeEvent event);
SHADER_PROBE_API int ShaderProbeCount(ShaderProbeEvent event);
SHADER_PROBE_API void ShaderProbeReset();
