// Where a program may keep files no other user can touch: the user's
// runtime directory ($XDG_RUNTIME_DIR), else a directory of the user's own
// under /tmp, made if missing and refused if it is a link, another user's,
// or open to others (someone could swap a file in it). POSIX only.
#pragma once

#include <string>

namespace brumelis {

// `runtimeDirectory` is $XDG_RUNTIME_DIR (empty or relative: unset). Empty
// when there is no safe place.
std::string PrivateDirectory(const std::string& runtimeDirectory);

}  // namespace brumelis
