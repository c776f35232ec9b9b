#pragma once

#include <cstddef>
#include <string>

#include "model/FieldDescription.h"

// Shared by the text form's writer, reader and schema.

// The help of a field: the label and tooltip of the control that shows it, or its description.
std::string fieldHelpText(const FieldDescription &spec);

// The key of an array's element: its own name, or the element word and the number from 1
// ("tone 3").
inline std::string elementKey(const FieldDescription &spec, std::size_t index)
{
    if (index < spec.elementNames.size())
        return std::string(spec.elementNames[index]);
    const std::string number = std::to_string(index + 1);
    return spec.element.empty() ? number : std::string(spec.element) + " " + number;
}
