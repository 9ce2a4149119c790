#include "shader_probe.h"

#include <array>

namespace {
std::array<int, ShaderProbeEventCount> counts{};
}

void ShaderProbeNote(ShaderProbeEvent event) { ++counts[event]; }

int ShaderProbeCount(ShaderProbeEvent event) { return counts[event]; }

void ShaderProbeReset() { counts.fill(0); }
