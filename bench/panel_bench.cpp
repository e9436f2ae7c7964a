// The cost of decoding a status reply and of finding a code's display.
#include <benchmark/benchmark.h>

#include <string>

#include "panel/status_code.h"
#include "panel/status_display_table.h"
#include "panel/status_read.h"

namespace rpanel {
namespace {

// A reply of the full 1023 characters the decoder reads: a name and as many codes as fit.
std::string FullReply() {
    std::string reply = "@PJL INFO STATUS\r\nCODE=204008";
    while (reply.size() + 7 + 2 <= 1023) {
        reply += ",30300C";
    }
    reply += "\r\n";
    reply.resize(1023, ' ');
    return reply;
}

void BM_ParseStatusReply_Full(benchmark::State& state) {
    const std::string reply = FullReply();
    AppState app;
    for (auto _ : state) {
        ParseStatusReply(app, reply);
        benchmark::DoNotOptimize(app.statusCount);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * reply.size()));
}
BENCHMARK(BM_ParseStatusReply_Full);

// 1023 characters of one-character items: more items than the list holds.
void BM_ParseStatusReply_Overfull(benchmark::State& state) {
    std::string reply = "X=";
    while (reply.size() < 1023) {
        reply += "1,";
    }
    reply.resize(1023);
    AppState app;
    for (auto _ : state) {
        ParseStatusReply(app, reply);
        benchmark::DoNotOptimize(app.statusCount);
    }
}
BENCHMARK(BM_ParseStatusReply_Overfull);

// Every code of the table in turn, and one that misses.
void BM_FindStatusDisplay(benchmark::State& state) {
    const auto table = StatusDisplayTable();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindStatusDisplay(table[i].code));
        i = (i + 1) % table.size();
    }
}
BENCHMARK(BM_FindStatusDisplay);

void BM_FindStatusDisplay_Miss(benchmark::State& state) {
    const StatusCode code = ToStatusCode("20200f");
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindStatusDisplay(code));
    }
}
BENCHMARK(BM_FindStatusDisplay_Miss);

}  // namespace
}  // namespace rpanel
