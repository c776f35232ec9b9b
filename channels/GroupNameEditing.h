#pragma once

#include <string>
#include <string_view>
#include <utility>

// What the two one-character rename editors of the group name window do with a typed character
// (its character code, as a key press delivers it).
struct GroupNameKey
{
    enum Action
    {
        Accept, // type `character` (letters upper-cased)
        Ignore, // swallow the key
        Pass,   // let the editor handle it (Backspace and other control codes)
        MoveOn, // Enter: move the focus on to the next control, as Tab does
    };
    Action action = Ignore;
    char character = 0;
};

// Enter moves on; Ctrl+C, Ctrl+V and Ctrl+X are ignored, and so is every code above 127; of the
// printable characters only "0".."9", "+", "-", "*", "/" and "A".."Z" are taken, "a".."z" as their
// capitals; other control codes pass.
GroupNameKey FilterGroupNameKey(unsigned code);

// The name a rename stores from the texts of the left and the right editor: each is trimmed, an
// empty left character before a right one becomes a blank (" 7"), and trailing blanks are dropped
// ("" when both are empty). The name field then pads it with blanks to two characters.
std::string RenamedGroupName(std::string_view left, std::string_view right);

// How a stored name fills the two editors: an empty name leaves both empty, a one-character name
// goes to the left one, a longer one gives its first two characters.
std::pair<std::string, std::string> SplitGroupName(std::string_view name);
