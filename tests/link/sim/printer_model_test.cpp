#include "link/sim/printer_model.h"

#include <gtest/gtest.h>

namespace rpanel {
namespace {

std::string Reply(PrinterModel& printer, std::uint8_t code, std::uint16_t length = 4) {
    std::uint8_t buffer[1024] = {};
    const std::uint32_t count = printer.Answer(code, 0, 1, buffer, length);
    return std::string(reinterpret_cast<const char*>(buffer), count);
}

TEST(PrinterModelFaults, SpoilOnlyTheReplyAtTheirPosition) {
    const std::string ok("OK\0\0", 4);
    const std::pair<ReplyFault, std::string> cases[] = {
        {ReplyFault::NoReply, ""},
        {ReplyFault::OneByte, "O"},
        {ReplyFault::TwoBytes, "OK"},
        {ReplyFault::ThreeBytes, std::string("OK\0", 3)},
        {ReplyFault::AckWithoutNul, std::string("OK!\0", 4)},
    };
    for (const auto& [fault, expected] : cases) {
        PrinterModel printer;
        printer.InjectFault(1, fault);
        EXPECT_EQ(Reply(printer, 18) + Reply(printer, 18) + Reply(printer, 18), ok + expected + ok)
            << static_cast<int>(fault);
    }
}

TEST(PrinterModelFaults, RandomBytesAreHighRepeatableAndComeEvenFromASilentPrinter) {
    PrinterModel first;
    PrinterModel second;
    first.InjectFault(0, ReplyFault::RandomBytes);
    second.InjectFault(0, ReplyFault::RandomBytes);
    const std::string garbage = Reply(first, 9, 1024);
    EXPECT_EQ(garbage, Reply(second, 9, 1024));
    EXPECT_GT(garbage.size(), 4u);
    for (char byte : garbage) {
        EXPECT_GE(static_cast<unsigned char>(byte), 0x80);
    }
    PrinterModel silent;
    silent.Script(40, std::nullopt, std::nullopt);
    silent.InjectFault(0, ReplyFault::RandomBytes);
    EXPECT_EQ(Reply(silent, 40).size(), 4u);
}

}  // namespace
}  // namespace rpanel
