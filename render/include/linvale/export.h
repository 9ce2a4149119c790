// Marks the classes and functions the Linvale library exports.
#pragma once

#define LINVALE_API __attribute__((visibility("default")))
