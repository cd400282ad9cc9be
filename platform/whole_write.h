// Writing a whole text to a file: write() may take part of it, or be
// interrupted. POSIX only.
#pragma once

#include <string>

namespace brumelis {

// False with errno set when the text could not all be written (a full disk
// that takes nothing says ENOSPC).
bool WriteWhole(int descriptor, const std::string& text);

}  // namespace brumelis
