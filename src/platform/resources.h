// Where the program finds the files it loads by plain name (the sounds, the help texts):
// the working directory first, then beside the executable and in its resources folder
// (where the build puts them), then the installed data folder.
#pragma once

#include <string>
#include <vector>

namespace quarn {

// The folders searched, in order.
std::vector<std::string> resourceSearchDirs();
// The first of `dirs` holding a regular file `name`, joined to it; "" when none does.
// A name with a folder part is taken as it stands.
std::string findResourceIn(const std::string& name, const std::vector<std::string>& dirs);
// findResourceIn over resourceSearchDirs().
std::string findResource(const std::string& name);

}  // namespace quarn
