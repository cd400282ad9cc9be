#include "tests/sway/unit/scripted_sway.h"

#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <nlohmann/json.hpp>

namespace brumelis::sway_tests {

ScriptedSway::ScriptedSway(std::string tree) : tree_(std::move(tree)), config_(R"({"config":""})") {
    char directory[] = "/tmp/brumelis-scripted-sway.XXXXXX";
    directory_ = mkdtemp(directory);
    path_ = directory_ + "/ipc.sock";
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path_.c_str(), sizeof address.sun_path - 1);
    listener_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    listen(listener_, 1);
    thread_ = std::thread([this] { Serve(); });
}

ScriptedSway::~ScriptedSway() {
    ending_ = true;
    shutdown(listener_, SHUT_RDWR);
    {
        std::lock_guard<std::mutex> held(lock_);
        if (client_ >= 0) shutdown(client_, SHUT_RDWR);
    }
    thread_.join();
    close(listener_);
    if (client_ >= 0) close(client_);
    unlink(path_.c_str());
    rmdir(directory_.c_str());
}

void ScriptedSway::SetTree(std::string tree) {
    std::lock_guard<std::mutex> held(lock_);
    tree_ = std::move(tree);
}

void ScriptedSway::SetConfig(std::string config) {
    std::lock_guard<std::mutex> held(lock_);
    config_ = nlohmann::json{{"config", std::move(config)}}.dump();
}

void ScriptedSway::SendEvent(SwayMessageType type, const std::string& payload) {
    std::lock_guard<std::mutex> held(lock_);
    const std::string message = EncodeSwayMessage(type, payload);
    send(client_, message.data(), message.size(), MSG_NOSIGNAL);
}

std::vector<std::string> ScriptedSway::Received(SwayMessageType type) {
    std::lock_guard<std::mutex> held(lock_);
    std::vector<std::string> payloads;
    for (const SwayMessage& message : received_) {
        if (message.type == static_cast<std::uint32_t>(type)) payloads.push_back(message.payload);
    }
    return payloads;
}

void ScriptedSway::DropClient() {
    std::lock_guard<std::mutex> held(lock_);
    if (client_ >= 0) shutdown(client_, SHUT_RDWR);
}

void ScriptedSway::Serve() {
    while (!ending_) {
        const int client = accept(listener_, nullptr, nullptr);
        if (client < 0) return;
        {
            std::lock_guard<std::mutex> held(lock_);
            if (client_ >= 0) close(client_);
            client_ = client;
        }
        ServeClient(client);
    }
}

void ScriptedSway::ServeClient(int client) {
    SwayFrameReader reader;
    char chunk[4096];
    ssize_t count = 0;
    while ((count = recv(client, chunk, sizeof chunk, 0)) > 0) {
        reader.Append(chunk, static_cast<std::size_t>(count));
        while (auto message = reader.Next()) {
            std::lock_guard<std::mutex> held(lock_);
            received_.push_back(*message);
            const auto type = static_cast<SwayMessageType>(message->type);
            if (type == SwayMessageType::kGetTree && holdTrees_) continue;
            const std::string answer = type == SwayMessageType::kGetTree     ? tree_
                                       : type == SwayMessageType::kGetConfig ? config_
                                       : type == SwayMessageType::kSubscribe
                                           ? R"({"success":true})"
                                           : R"([{"success":true}])";
            const std::string reply = EncodeSwayMessage(type, answer);
            send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
        }
    }
}

}  // namespace brumelis::sway_tests
