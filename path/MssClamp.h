#pragma once

#include <string>
#include <vector>

// The MSS clamp that keeps a flow's segments inside the path: the lines that
// set it on each platform, for the MSS of the flow's IP version. A router
// rewrites the MSS option of the SYNs it forwards, so that neither end sends
// segments the stack cannot carry.
struct TClampConfiguration
{
    const char* Platform; // "Cisco IOS"
    const char* Comment;  // how a comment line begins there: "!" or "#"
    std::string Lines;    // a comment that says where, then the command
};

std::vector<TClampConfiguration> mssClampConfigurations(int mss, int ipVersion);
// Every platform's lines, one block after another.
std::string mssClampText(int mss, int ipVersion);
