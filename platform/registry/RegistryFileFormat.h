#pragma once
// The text form of a registry store, close to a .reg export so a person can read and mend it:
//
//   [HKEY_CURRENT_USER\Software\Maker]
//   "Name"="text"            REG_SZ whose data ends in one NUL (the NUL is not shown)
//   "Raw"=str:"text"         REG_SZ stored without a terminating NUL
//   "Count"=dword:0000002a   REG_DWORD of exactly four bytes
//   "Blob"=hex:01,02,ff      REG_BINARY
//   "Other"=hex(7):61,00,00  any other type, or a DWORD of another length
//   @="..."                  the default (unnamed) value
//
// A key without values appears only through the headers of its subkeys, unless it has none.
// Strings escape \\ \" \0 \r \n \t and other control bytes as \xHH. Parsing skips any line it
// cannot read in full, and values under an unreadable key header, so damage stays local.
#include <string>
#include <string_view>

#include "platform/registry/RegistryTree.h"

namespace win {

std::string SerializeRegistry(const RegistryTree& tree, std::string_view rootName);
// *readable, when given, tells whether the text holds registry data at all: false when it has lines
// and not one of them could be read (random bytes, another file format), true for empty text.
RegistryTree ParseRegistry(std::string_view text, std::string_view rootName, bool* readable = nullptr);

}  // namespace win
