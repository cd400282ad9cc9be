// The sway replies the unit tests read (tests/sway/replies): the first tree
// and the event as recorded, every later case as the JSON Patch (cases.json)
// that turns an earlier case into it, as the recording went on.
#pragma once

#include <string>

namespace brumelis::sway_tests {

// The reply's text; throws on a name that is not recorded.
std::string RecordedReply(const std::string& name);

}  // namespace brumelis::sway_tests
