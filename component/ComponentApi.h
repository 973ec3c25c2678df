#pragma once
// Marks what KVX4.dll exports beyond its plain C entry points: the component object's class (the
// host calls through its table of virtual operations) and the few library-wide accessors that
// tests and tools reach with dlsym. Explicit, so the build may hide everything else.
#define KVX4_COMPONENT_API __attribute__((visibility("default")))
