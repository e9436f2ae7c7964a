// What a command leaves behind, in the form the campaign compares.
#include <cstdio>
#include <cstring>

#include "campaign.h"
#include "info/info_blocks.h"
#include "link/printer_link.h"
#include "service/service_mode.h"
#include "service/user_service.h"

namespace rpanel::campaign {

std::string DescribeRequest(std::uint8_t code, std::uint16_t value, std::uint16_t index,
                            std::uint16_t length) {
    char text[64];
    std::snprintf(text, sizeof text, "%u 0x%04X index %u length %u", code, value, index, length);
    return text;
}

// The machine variant, panelOpen, every setting and counter, the status list, whether the
// information blocks are given back, the display timer, and what the viewer saw and saved.
Fields RunFields(const CommandRun& run) {
    const AppState& state = run.state;
    std::string list;
    for (std::uint32_t i = 0; i < std::min<std::uint32_t>(state.statusCount, kMaxStatusCodes);
         ++i) {
        const StatusCode& code = state.statusCodes.entries[i];
        list += (i ? "," : "") + std::string(code.data(), ::strnlen(code.data(), code.size()));
    }
    Fields fields = {
        {"machineVariant", std::to_string(state.machineVariant)},
        {"panelOpen", std::to_string(state.panelOpen)},
        {"status list", list},
        {"statusCount", std::to_string(state.statusCount)},
        {"statusIndex", std::to_string(state.statusIndex)},
        {"display timer restarts", std::to_string(run.timer.restarts)},
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
    fields.insert(fields.end(), run.viewerFields.begin(), run.viewerFields.end());
    fields.emplace_back("INI file", run.iniFile);
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

std::string LinkState(int handles, int deviceSets, int registryKeys) {
    const PrinterLink& link = GetPrinterLink();
    const bool held = IsOpenHandle(link.controlHandle) || IsOpenHandle(link.deviceHandle) ||
                      IsOpenHandle(link.secondHandle);
    if (deviceSets == 0 && registryKeys == 0 && held == (handles > 0)) {
        return held ? kLinkOpen : kLinkClosed;
    }
    return "inconsistent: the link " + std::string(held ? "holds" : "holds no") +
           " handles; open on the platform: " + std::to_string(handles) + " handles, " +
           std::to_string(deviceSets) + " device sets, " + std::to_string(registryKeys) +
           " registry keys";
}

}  // namespace rpanel::campaign
