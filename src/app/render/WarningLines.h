#pragma once

#include <string>
#include <vector>

namespace Pellora::Render {

// One "pellora-render: warning: ..." line on stderr per problem the show worked around.
void PrintWarnings(const std::vector<std::string>& warnings);

} // namespace Pellora::Render
