#include "platform/sway/sway_key_source.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>

#include "platform/sway/sway_bindings.h"
#include "platform/sway/sway_tree.h"

namespace brumelis {

namespace {

// At the start only, before the toolbar takes any input.
constexpr auto kStartDeadline = std::chrono::seconds(1);
// The end waits this long for sway to have read the last unbinding.
constexpr auto kEndDeadline = std::chrono::milliseconds(500);

std::vector<KeyChord> ConfiguredChords(const std::string& reply) {
    const auto json = nlohmann::json::parse(reply, nullptr, false);
    if (!json.is_object() || !json.contains("config") || !json["config"].is_string()) return {};
    return SwayBoundChords(json["config"].get<std::string>());
}

}  // namespace

SwayKeySource::~SwayKeySource() {
    Release();
}

void SwayKeySource::Release() {
    if (connection_ == nullptr || taken_.empty()) return;
    // Its owner is going: events read while waiting go nowhere.
    connection_->OnEvent(nullptr);
    for (std::size_t i = 0; i + 1 < taken_.size(); ++i) {
        connection_->Send(SwayMessageType::kRunCommand,
                          "unbindsym " + SwayChordText(taken_[i].chord), nullptr);
    }
    // Answers come in order: the last one says sway has read them all.
    connection_->Ask(SwayMessageType::kRunCommand,
                     "unbindsym " + SwayChordText(taken_.back().chord), kEndDeadline);
    taken_.clear();
}

std::string SwayKeySource::Bind(const Binding& binding) const {
    return "bindsym --no-repeat " + SwayChordText(binding.chord) + " nop " + tag_ + " " +
           std::to_string(static_cast<std::int32_t>(binding.shortcut));
}

bool SwayKeySource::Held(const KeyChord& chord) const {
    return configured_ && std::any_of(configured_->begin(), configured_->end(),
                                      [&](const KeyChord& held) { return SameChord(held, chord); });
}

TakeAnswer SwayKeySource::Take(ShortcutId shortcut, const KeyChord& chord) {
    if (connection_ == nullptr || connection_->Closed()) return TakeAnswer::kUnsupported;
    if (!configured_) {
        const auto config = connection_->Ask(SwayMessageType::kGetConfig, "", kStartDeadline);
        if (!config) return TakeAnswer::kUnsupported;
        configured_ = ConfiguredChords(*config);
    }
    if (Held(chord)) return TakeAnswer::kTakenByOther;
    const Binding binding{shortcut, chord};
    const auto answer =
        connection_->Ask(SwayMessageType::kRunCommand, Bind(binding), kStartDeadline);
    if (!answer || !SwayCommandSucceeded(*answer)) return TakeAnswer::kUnsupported;
    taken_.push_back(binding);
    return TakeAnswer::kTaken;
}

// Nothing waits here: the configuration's answer binds what it leaves free.
// A chord the new configuration binds is left to it.
void SwayKeySource::Rebind() {
    if (connection_ == nullptr || taken_.empty()) return;
    connection_->Send(SwayMessageType::kGetConfig, "", [this](const std::string& reply) {
        configured_ = ConfiguredChords(reply);
        for (const Binding& binding : taken_) {
            if (!Held(binding.chord))
                connection_->Send(SwayMessageType::kRunCommand, Bind(binding), nullptr);
        }
    });
}

void SwayKeySource::OnEvent(std::uint32_t type, const std::string& payload) {
    const bool binding = type == static_cast<std::uint32_t>(SwayMessageType::kBindingEvent);
    const bool workspace = type == static_cast<std::uint32_t>(SwayMessageType::kWorkspaceEvent);
    if (!binding && !workspace) return;
    const auto event = nlohmann::json::parse(payload, nullptr, false);
    if (!event.is_object()) return;
    const std::string change = event.value("change", std::string());
    if (workspace) {
        if (change == "reload") Rebind();
        return;
    }
    if (change != "run" || !event.contains("binding") || !event["binding"].is_object()) return;
    const std::string command = event["binding"].value("command", std::string());
    const std::string ours = "nop " + tag_ + " ";
    if (command.rfind(ours, 0) != 0) return;
    const std::string number = command.substr(ours.size());
    const auto found = std::find_if(taken_.begin(), taken_.end(), [&](const Binding& taken) {
        return std::to_string(static_cast<std::int32_t>(taken.shortcut)) == number;
    });
    if (found != taken_.end()) Press(found->shortcut);
}

}  // namespace brumelis
