// A stand-in for sway's IPC socket, in a thread of the test: it answers
// subscribe and commands with success, get_tree and get_config with what it
// is given, records every request, and sends events when told.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/sway/sway_ipc_frame.h"

namespace brumelis::sway_tests {

class ScriptedSway {
public:
    explicit ScriptedSway(std::string tree);
    ~ScriptedSway();
    ScriptedSway(const ScriptedSway&) = delete;
    ScriptedSway& operator=(const ScriptedSway&) = delete;

    const std::string& Path() const { return path_; }
    void SetTree(std::string tree);
    // The configuration's text get_config answers with.
    void SetConfig(std::string config);
    // While held, get_tree is recorded and left unanswered.
    void HoldTrees() { holdTrees_ = true; }
    void SendEvent(SwayMessageType type, const std::string& payload);
    // Closes the program's connection, as sway does to a client that falls
    // behind; the next connection is served as the first was.
    void DropClient();
    // The requests received so far, of one type.
    std::vector<std::string> Received(SwayMessageType type);

private:
    void Serve();
    void ServeClient(int client);

    std::string directory_;
    std::string path_;
    int listener_ = -1;
    int client_ = -1;
    std::mutex lock_;
    std::string tree_;
    std::string config_;
    std::atomic<bool> holdTrees_{false};
    std::atomic<bool> ending_{false};
    std::vector<SwayMessage> received_;
    std::thread thread_;
};

}  // namespace brumelis::sway_tests
