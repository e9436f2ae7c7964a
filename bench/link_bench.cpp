// The cost of the request channel over the simulated printer, and of finding and opening the
// printer among many devices.
#include <benchmark/benchmark.h>

#include "link/device_session.h"
#include "link/printer_link.h"
#include "link/sim/sim_platform.h"
#include "link/vendor_request.h"

namespace rpanel {
namespace {

// The demo printer, opened as every command opens it, for the length of one benchmark.
struct OpenDemoPrinter {
    OpenDemoPrinter() {
        SetPrinterIds();
        OpenPrinterLink();
    }
    PrinterModel printer;
    SimPlatform sim = SimPlatform::WithPrinter(printer);
    DeviceSession session{sim};
};

void BM_SendVendorRequest_Value(benchmark::State& state) {
    OpenDemoPrinter demo;
    std::uint8_t reply[kValueReplySize];
    for (auto _ : state) {
        benchmark::DoNotOptimize(SendVendorRequest(80, 0, 1, kValueReplySize, reply));
    }
}
BENCHMARK(BM_SendVendorRequest_Value);

void BM_SendVendorRequest_Text(benchmark::State& state) {
    OpenDemoPrinter demo;
    std::uint8_t reply[kTextReplySize];
    for (auto _ : state) {
        benchmark::DoNotOptimize(SendVendorRequest(13, 0x0100, 0, kTextReplySize, reply));
    }
}
BENCHMARK(BM_SendVendorRequest_Text);

// 32 printer-class devices; the printer is the last of them.
void BM_OpenAndClose32Devices(benchmark::State& state) {
    PrinterModel printer;
    SimPlatform sim;
    for (int i = 0; i < 32; ++i) {
        SimPrinterClassDevice device;
        const bool last = i == 31;
        char id[64];
        std::snprintf(id, sizeof id, "USB\\VID_%04X&PID_%04X", 0x1000 + i, 0x2000 + i);
        device.hardwareIds = {{std::string(id) + "&REV_0100", last ? kPrinterHardwareId : id}};
        device.interfacePath = "sim:1-" + std::to_string(i + 1) + ":1.0";
        device.printer = &printer;
        sim.printerClassDevices.push_back(device);
    }
    const DeviceSession session(sim);
    for (auto _ : state) {
        SetPrinterIds();
        if (OpenPrinterLink() != 1) {
            state.SkipWithError("the printer was not found");
            break;
        }
        ClosePrinterLink();
        sim.openedPaths.clear();
    }
}
BENCHMARK(BM_OpenAndClose32Devices);

}  // namespace
}  // namespace rpanel
