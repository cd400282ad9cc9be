#include "tests/sway/unit/recorded_replies.h"

#include <fstream>
#include <nlohmann/json.hpp>

namespace brumelis::sway_tests {
namespace {

using Json = nlohmann::json;

Json Read(const std::string& file) {
    std::ifstream text(std::string(BRUMELIS_SWAY_REPLIES) + "/" + file);
    return Json::parse(text);
}

Json Tree(const std::string& name) {
    static const Json cases = Read("cases.json");
    const auto derived = cases.find(name);
    if (derived == cases.end()) return Read(name + ".json");
    return Tree(derived->at("from").get<std::string>()).patch(derived->at("patch"));
}

}  // namespace

std::string RecordedReply(const std::string& name) {
    return Tree(name).dump();
}

}  // namespace brumelis::sway_tests
