#include "outcome.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

#include "info/info_blocks.h"
#include "link/printer_link.h"
#include "service/service_mode.h"
#include "service/user_service.h"

namespace rpanel::campaign {
namespace {

std::string Joined(const std::vector<int>& messages) {
    std::string text;
    for (const int message : messages) {
        text += (text.empty() ? "" : ", ") + std::to_string(message);
    }
    return "[" + text + "]";
}

// The requests as two columns, with the first difference marked.
std::string RequestDifference(const std::vector<std::string>& expected,
                              const std::vector<std::string>& actual) {
    std::string text = "requests differ (expected | actual):";
    bool marked = false;
    for (std::size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
        const std::string want = i < expected.size() ? expected[i] : "-";
        const std::string got = i < actual.size() ? actual[i] : "-";
        const bool first = !marked && want != got;
        marked = marked || first;
        text += "\n      " + std::to_string(i) + ": " + want + " | " + got + (first ? "  <--" : "");
    }
    return text;
}

std::string StatusList(const AppState& state) {
    std::string list;
    for (std::uint32_t i = 0; i < std::min<std::uint32_t>(state.statusCount, kMaxStatusCodes);
         ++i) {
        const StatusCode& code = state.statusCodes.entries[i];
        list += (i ? "," : "") + std::string(code.data(), ::strnlen(code.data(), code.size()));
    }
    return list;
}

}  // namespace

std::vector<std::string> Differences(const Outcome& expected, const Outcome& actual) {
    std::vector<std::string> lines;
    if (expected.messages != actual.messages) {
        lines.push_back("messages: expected " + Joined(expected.messages) + ", actual " +
                        Joined(actual.messages));
    }
    if (expected.requests != actual.requests) {
        lines.push_back(RequestDifference(expected.requests, actual.requests));
    }
    std::map<std::string, std::string> got(actual.fields.begin(), actual.fields.end());
    for (const auto& [name, want] : expected.fields) {
        const auto it = got.find(name);
        const std::string value = it == got.end() ? "(absent)" : it->second;
        if (value != want) {
            lines.push_back(name + ": expected " + want + ", actual " + value);
        }
        if (it != got.end()) {
            got.erase(it);
        }
    }
    for (const auto& [name, value] : got) {
        lines.push_back(name + ": expected (absent), actual " + value);
    }
    if (expected.link != actual.link) {
        lines.push_back("link: expected " + expected.link + ", actual " + actual.link);
    }
    return lines;
}

std::string DescribeRequest(std::uint8_t code, std::uint16_t value, std::uint16_t index,
                            std::uint16_t length) {
    char text[64];
    std::snprintf(text, sizeof text, "%u 0x%04X index %u length %u", code, value, index, length);
    return text;
}

Fields StateFields(const AppState& state) {
    Fields fields = {
        {"machineVariant", std::to_string(state.machineVariant)},
        {"panelOpen", std::to_string(state.panelOpen)},
        {"status list", StatusList(state)},
        {"statusCount", std::to_string(state.statusCount)},
        {"statusIndex", std::to_string(state.statusIndex)},
    };
    for (const UserServiceSetting& setting : UserServiceSettings()) {
        fields.emplace_back(setting.name, std::to_string(SettingField(state, setting)));
    }
    for (const ServiceModeValue& value : ServiceModeValues()) {
        fields.emplace_back(value.name, std::to_string(ValueField(state, value)));
    }
    const bool blocksGiven = state.configToner == nullptr && state.configCount == nullptr &&
                             state.configMachine == nullptr && state.configAdjust == nullptr &&
                             state.infoValues1 == nullptr && state.infoValues2 == nullptr;
    fields.emplace_back("information blocks", blocksGiven ? "given back" : "still held");
    return fields;
}

Fields BlockFields(const AppState& state) {
    Fields fields;
    for (const InfoReplyForm& form : kInfoReplyForms) {
        for (std::size_t slot = 0; slot < form.keys.size(); ++slot) {
            const SlotRef ref{form.kind, static_cast<std::uint8_t>(slot)};
            fields.emplace_back("viewer " + std::string(form.keys[slot].name),
                                std::string(SlotTextOf(state, ref)));
        }
    }
    const auto values = [&](const char* name, const std::uint32_t* block, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            fields.emplace_back("viewer " + std::string(name) + "[" + std::to_string(i) + "]",
                                block != nullptr ? std::to_string(block[i]) : "(no block)");
        }
    };
    values("infoValues1", state.infoValues1, kInfoValues1Count);
    values("infoValues2", state.infoValues2, kInfoValues2Count);
    fields.emplace_back("viewer energySaveOn", std::to_string(state.energySaveOn));
    return fields;
}

std::string LinkState(const OpenCounts& counts) {
    const PrinterLink& link = GetPrinterLink();
    const bool held = IsOpenHandle(link.controlHandle) || IsOpenHandle(link.deviceHandle) ||
                      IsOpenHandle(link.secondHandle);
    if (counts.deviceSets == 0 && counts.registryKeys == 0) {
        if (!held && counts.handles == 0) {
            return kLinkClosed;
        }
        if (held && counts.handles > 0) {
            return kLinkOpen;
        }
    }
    return std::string("inconsistent: the link ") + (held ? "holds" : "holds no") +
           " handles, the platform has " + std::to_string(counts.handles) + " handles, " +
           std::to_string(counts.deviceSets) + " device sets and " +
           std::to_string(counts.registryKeys) + " registry keys open";
}

}  // namespace rpanel::campaign
