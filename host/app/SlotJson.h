#pragma once
// The effect slot as one line of JSON, for scripts and the programs that read their output: every
// field of the parameter block by its name (null without a block), the bypass state and the
// automation registrations the host holds, in block field order.
#include <string>

#include "host/lib/EffectsPlugin.h"

std::string SlotToJson(const CEffectsPlugin& slot);
