// A loadable library that is not a shader plug-in: it lacks NprShaderCreate.
extern "C" __attribute__((visibility("default"))) int NotAShader() { return 7; }
