// The file KWin reads the script from. KWin runs whatever that file holds
// inside the compositor, so it is made new by the program, never taken over:
// not an existing file, not through a link, readable by the user alone.
#pragma once

#include <string>

namespace brumelis {

// Empty when `text` was written to `path` whole; else what went wrong, as
// "path: reason". Nothing is ever written into a file that was already there.
std::string WriteScriptFile(const std::string& path, const std::string& text);

}  // namespace brumelis
