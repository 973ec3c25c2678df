#pragma once
// How list boxes compare their lines: the order of a sorted list (LBS_SORT), exact matches
// (LB_FINDSTRINGEXACT) and prefixes (LB_FINDSTRING, type-ahead), all without regard to case.
//
// A sorted list box orders its lines as CompareString(LOCALE_USER_DEFAULT, NORM_IGNORECASE) does,
// which is lstrcmpi's "word sort" (win-oracle: the list's order equals CompareString's for every
// case below, and lstrcmpi agrees):
// - Letters compare first by their base letter; accents only break ties, left to right: "ea" <
//   "éa" < "eb", "e" < "é" < "ea". Accents rank acute, grave, circumflex, diaeresis, tilde, ring.
// - Case never counts ("A" equals "a"); æ, œ, ß, þ and ™ compare as ae, oe, ss, th and tm.
// - Hyphens, apostrophes, dashes, the soft hyphen and control characters are ignored except to
//   break ties, after which a line without them comes first: "coop" < "co'op" < "co-op" < "cop".
// - Blanks and punctuation come before digits, digits before letters; digits compare one by one
//   ("a10" < "a2"). The punctuation order is Windows' own, not ASCII's (e.g. "+" after "~").
// - A line equal to others ignoring case goes in before them: that is where Wine's list box puts
//   it in most cases (its binary search decides, so not always); we always do.
// Text is Windows-1252 unless it is well-formed UTF-8 (see platform/gdi/TextCodec.h); characters
// outside Windows-1252 sort after all others, by code point.
#include <string>
#include <string_view>

namespace win {

// A key whose bytewise order (as std::string compares) is the list order of the texts.
std::string ListSortKey(std::string_view text);
// <0, 0 or >0 as `a` sorts before, with or after `b`.
int CompareListText(std::string_view a, std::string_view b);
// Case-insensitive prefix test; an empty prefix matches nothing, as LB_FINDSTRING has it.
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

}  // namespace win
