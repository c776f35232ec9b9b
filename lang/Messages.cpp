#include "lang/Messages.h"

std::string dataFileFilter(int language)
{
    return std::string(textFor(Messages::kDataFileFilterLabel, language)) + " (*.dat)|*.dat";
}

std::string textFileFilter(int language)
{
    return std::string(textFor(Messages::kTextFilterLabel, language)) +
           " (*.yaml *.yml)|*.yaml;*.yml";
}

std::string withArgument(std::string_view text, std::string_view value)
{
    std::string result(text);
    const auto at = result.find("%1");
    if (at != std::string::npos)
        result.replace(at, 2, value);
    return result;
}
