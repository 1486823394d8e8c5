// On Windows the C runtime hands main() its arguments through the ANSI code page's
// best-fit mapping, which turns a name it cannot spell into a look-alike ("ab.tim"
// for alpha-beta) that may well be another file.
#pragma once

#include <string>
#include <vector>

namespace tavrik {

// Replaces |arguments| (those after the program's name) by the wide command line's,
// each in the active code page. False, with |error| naming the argument, when one
// cannot be spelled exactly there; |arguments| is then left as it was.
bool TakeWideArguments(std::vector<std::string>& arguments, std::string& error);

} // namespace tavrik
