#pragma once
// The host's automation record for one parameter. The component writes only `value`; the host
// stamps its registration into `port`, `channel` and `controller`; the trailing bytes are the
// host's and nobody touches them.
#include <cstddef>

#include "platform/base/WinTypes.h"

struct tagMAREG {
    win::BYTE value;
    win::BYTE port;        // read masked with 0x7F
    win::BYTE channel;     // 0..15
    win::BYTE controller;  // controller row; meaningful only while the record is automated
    win::BYTE reserved[4];
};

static_assert(sizeof(tagMAREG) == 8);
static_assert(offsetof(tagMAREG, value) == 0);
static_assert(offsetof(tagMAREG, port) == 1);
static_assert(offsetof(tagMAREG, channel) == 2);
static_assert(offsetof(tagMAREG, controller) == 3);
static_assert(offsetof(tagMAREG, reserved) == 4);
