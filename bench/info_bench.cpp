// The cost of parsing one machine-information reply of the full 1024 bytes.
#include <benchmark/benchmark.h>

#include <string>

#include "info/info_blocks.h"
#include "info/info_reply.h"

namespace rpanel {
namespace {

class NoMessages final : public MessageSink {
public:
    void ShowMessageById(int) override {}
};

// The supplies reply: its header and all 29 keys, then keys again until 1024 bytes are full,
// so that every line is looked up and stored.
std::string FullSuppliesReply() {
    std::string reply = "@PJL INFO CONFIGTONER\r\n";
    for (std::size_t i = 0; reply.size() < 1024; ++i) {
        reply += std::string(kTonerKeys[i % kTonerKeys.size()].name) + "=" +
                 std::to_string(i % 100) + "\r\n";
    }
    reply.resize(1024);
    return reply;
}

void BM_ParseInfoReply_Full1024Bytes(benchmark::State& state) {
    const std::string reply = FullSuppliesReply();
    AppState app;
    InfoBlocks blocks(app, ValueBlocks::Without);
    NoMessages messages;
    for (auto _ : state) {
        ParseInfoReply(messages, app, InfoKind::Toner, reply);
        benchmark::DoNotOptimize(app.configToner[0].text[0]);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 1024);
}
BENCHMARK(BM_ParseInfoReply_Full1024Bytes);

}  // namespace
}  // namespace rpanel
