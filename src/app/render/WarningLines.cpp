#include "WarningLines.h"

#include <iostream>

namespace Pellora::Render {

void PrintWarnings(const std::vector<std::string>& warnings)
{
    for (const auto& warning : warnings) {
        std::cerr << "pellora-render: warning: " << warning << "\n";
    }
}

} // namespace Pellora::Render
