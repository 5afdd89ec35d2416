// A coin's command-line client as far as a run asks it: the block count
// while the daemon serves, the stop request, and the node check's calls
// answered as a node with one peer at its own height answers them, or, as
// an old client ("old-client" in its folder), not known at all. Errors go
// to standard error with a failing status, as a real client's do.
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>

#include "wine_run/standin_files.h"

using namespace syncward::standin;

int main(int argc, char* argv[]) {
    const NodeFiles files(ownFolder(argv[0]));
    // The call is the first word that is no option: "-conf=..." comes first.
    std::string call;
    for (int i = 1; i < argc && call.empty(); ++i)
        if (argv[i][0] != '-') call = argv[i];
    const long long height = numberIn(files.height, 0);
    // No call reaches a daemon that does not serve.
    if (!fs::exists(files.running)) {
        std::fputs("error: could not connect to the server\n", stderr);
        return 1;
    }
    if (call == "getblockcount") {
        std::printf("%lld\n", height);
    } else if (call == "stop") {
        std::ofstream(files.stop) << "stop\n";
        std::puts("node stopping");
    } else if (fs::exists(files.oldClient)) {
        std::fputs("error code: -32601\nerror message:\nMethod not found\n", stderr);
        return 1;
    } else if (call == "getblockchaininfo") {
        std::printf("{ \"blocks\": %lld, \"headers\": %lld, \"initialblockdownload\": false }\n", height, height);
    } else if (call == "getpeerinfo") {
        std::printf("[ { \"synced_headers\": %lld } ]\n", height);
    } else if (call == "getconnectioncount") {
        std::puts("1");
    } else if (call == "getbestblockhash") {
        std::puts("00");
    } else {
        // getblockheader: a block made just now.
        std::printf("{ \"time\": %lld }\n", static_cast<long long>(std::time(nullptr)));
    }
    return 0;
}
