#pragma once

#include <cstddef>
#include <string>

#include "model/FieldDescription.h"

// Shared by the text form's writer, reader and schema.

// The help of a field: the label and tooltip of the control that shows it, or its description.
std::string fieldHelpText(const FieldDescription &description);

// The key of an array's element: its own name, or the element word and the number from 1
// ("tone 3").
inline std::string elementKey(const FieldDescription &description, std::size_t index)
{
    if (index < description.elementNames.size())
        return std::string(description.elementNames[index]);
    const std::string number = std::to_string(index + 1);
    return description.element.empty() ? number : std::string(description.element) + " " + number;
}
