// The four machine-information replies of request 13 and the keys each of them carries, in
// slot order. A key's slot is its position in its table; the keys keep the capitals in which
// the printer sends them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "link/request_catalogue.h"

namespace rpanel {

// The replies in the order they are read.
enum class InfoKind : std::uint8_t { Toner, Count, Machine, Adjust };
inline constexpr std::size_t kInfoKindCount = 4;

struct InfoKey {
    std::string_view name;
    // Adjustment keys only: what the printer adds to the signed setting before reporting it.
    std::int32_t offset = 0;
};

inline constexpr std::array<InfoKey, 29> kTonerKeys = {{
    {"CONSUMETCSTATEC"},   {"CONSUMETCSTATEM"},  {"CONSUMETCSTATEY"},  {"CONSUMETCSTATEK"},
    {"CONSUMEICSTATE"},    {"CONSUMETCREMAINC"}, {"CONSUMETCREMAINM"}, {"CONSUMETCREMAINY"},
    {"CONSUMETCREMAINK"},  {"CONSUMEICREMAIN"},  {"CONSUMETCTYPEC"},   {"CONSUMETCTYPEM"},
    {"CONSUMETCTYPEY"},    {"CONSUMETCTYPEK"},   {"CONSUMEICTYPE"},    {"COVERAGETOTALCOLOR"},
    {"COVERAGETOTALMONO"}, {"COVERAGETOTAL"},    {"COVERAGECOLOR"},    {"COVERAGEMONO"},
    {"COVERAGEAVERAGEC"},  {"COVERAGEAVERAGEM"}, {"COVERAGEAVERAGEY"}, {"COVERAGEAVERAGEK"},
    {"COVERAGELASTC"},     {"COVERAGELASTM"},    {"COVERAGELASTY"},    {"COVERAGELASTK"},
    {"TONERLOWMSG"},
}};

inline constexpr std::array<InfoKey, 17> kCountKeys = {{
    {"COUNTTOTAL"},
    {"COUNTCOLORPRINT"},
    {"COUNTMONOPRINT"},
    {"COUNTTRAY1"},
    {"COUNTSIZEA4"},
    {"COUNTSIZEB5"},
    {"COUNTSIZEA5"},
    {"COUNTSIZELEGAL"},
    {"COUNTSIZELETTER"},
    {"COUNTSIZEOTHERS"},
    {"COUNTMEDIAPLAIN"},
    {"COUNTMEDIATHICK"},
    {"COUNTMEDIATHICK2"},
    {"COUNTMEDIAENVELOPE"},
    {"COUNTMEDIALETTERHEAD"},
    {"COUNTMEDIAPOSTCARD"},
    {"COUNTMEDIALABELS"},
}};

inline constexpr std::array<InfoKey, 7> kMachineKeys = {{
    {"MACHINESERIAL"},
    {"MACHINEENERGYSAVE"},
    {"MACHINEAUTOCONTO"},
    {"MACHINETONEREMPTY"},
    {"MACHINEVERSIONENGINE"},
    {"MACHINEVERSIONFW"},
    {"MACHINEVERSIONBOOT"},
}};

// Top and left adjustments travel as setting + 15, transfer power as setting + 8.
inline constexpr std::array<InfoKey, 13> kAdjustKeys = {{
    {"ADJTOPPLAIN", 15},
    {"ADJTOPTHICK", 15},
    {"ADJTOPENVELOPE", 15},
    {"ADJLEFTFRONT", 15},
    {"ADJLEFTBACK", 15},
    {"ADJIMAGE", 0},
    {"ADJTRANSPLAINFRONT", 8},
    {"ADJTRANSTHICK1", 8},
    {"ADJTRANSTHICK2", 8},
    {"ADJTRANSPOSTCARD", 8},
    {"ADJTRANSENVELOPE", 8},
    {"ADJTRANSLABEL", 8},
    {"ADJTRANSPLAINBACK", 8},
}};

struct InfoReplyForm {
    InfoKind kind;
    Request request;  // request 13 with the reply's value
    // The header line the reply must carry; empty: the adjustment reply, whose header is not
    // checked.
    std::string_view header;
    std::span<const InfoKey> keys;
};

inline constexpr std::array<InfoReplyForm, kInfoKindCount> kInfoReplyForms = {{
    {InfoKind::Toner, Request::ReadSuppliesInfo, "@PJL INFO CONFIGTONER", kTonerKeys},
    {InfoKind::Count, Request::ReadCountersInfo, "@PJL INFO CONFIGCOUNT", kCountKeys},
    {InfoKind::Machine, Request::ReadMachineSettingsInfo, "@PJL INFO CONFIGMACHINE", kMachineKeys},
    {InfoKind::Adjust, Request::ReadAdjustmentsInfo, "", kAdjustKeys},
}};

constexpr const InfoReplyForm& FormOf(InfoKind kind) {
    return kInfoReplyForms[static_cast<std::size_t>(kind)];
}

// Where one key's value is kept.
struct SlotRef {
    InfoKind kind = InfoKind::Toner;
    std::uint8_t slot = 0;
};

// The slot of a key, looked up while compiling: a name that is in no table does not compile.
consteval SlotRef KeySlot(std::string_view name) {
    for (const InfoReplyForm& form : kInfoReplyForms) {
        for (std::size_t i = 0; i < form.keys.size(); ++i) {
            if (form.keys[i].name == name) {
                return {form.kind, static_cast<std::uint8_t>(i)};
            }
        }
    }
    throw "not a machine-information key";
}

}  // namespace rpanel
