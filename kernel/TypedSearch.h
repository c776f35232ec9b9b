#pragma once

#include <string>
#include <string_view>
#include <vector>

// The item of a list that typed text picks. An item may carry its value after a code, as the
// tone lists do ("C_008(88.5Hz)", "D_001(023N)"): typing "88.5" or "023" finds it as typing "C_008"
// does. The search runs from `start` round the list, comparing ASCII letters without case, and
// gives the first item whose text or bracketed value starts with the typed text; -1 when none
// does.
int typedItem(const std::vector<std::string> &items, std::string_view typed, int start);
