#pragma once
// One MIDI controller registration the host holds for a parameter record: which port, channel and
// controller row drive it. The record pointer points into the registering slot's parameter block.
#include "host/lib/AutomationRecord.h"

struct AutomationRegistration {
    const tagMAREG* record;
    const char* recordName;  // the parameter block field, e.g. "lowFreq"
    int port;                // 0..3
    int channel;             // 0..15
    int controller;          // controller row 0..127
};
