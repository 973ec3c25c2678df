#pragma once
// Marks what the host library exports to components, so the build may switch to hidden-by-default
// visibility without cutting the component off from the effect slot.
#define KVX4_HOST_API __attribute__((visibility("default")))
