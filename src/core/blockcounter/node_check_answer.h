#pragma once

#include <map>
#include <string>

namespace syncward {

// The node-check file split into the client's answers: each call's answer
// follows a line that names the call, and a last line "end" says the file
// is whole (the calls run one after the other, so a file read between two
// of them is not).
struct NodeCheckAnswer {
    std::map<std::string, std::string> answers;  // call name -> what the client printed
    bool complete = false;

    const std::string& answerTo(const std::string& call) const;
};

NodeCheckAnswer splitNodeCheckAnswer(const std::string& text);

// "error code: -28": the node is still loading its block index or
// verifying blocks and answers no call yet.
bool saysStillStarting(const std::string& clientText);

// "error code: -32601" / "Method not found": a node too old for the call.
bool saysMethodNotFound(const std::string& clientText);

}  // namespace syncward
