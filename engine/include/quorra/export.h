// Marks the classes and functions the Quorra library exports.
#pragma once

#define QUORRA_API __attribute__((visibility("default")))
