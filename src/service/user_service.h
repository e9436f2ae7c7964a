// The User Service settings (print-position and transfer-power adjustments, four service
// choices) and the page's printer commands, written once for the desktop page and rpanelctl.
// Every command opens the printer link (message 26 and nothing sent when it does not open),
// sends its requests in a fixed order and closes the link again.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/app_state.h"
#include "core/message_sink.h"
#include "core/setting_change.h"
#include "link/request_catalogue.h"
#include "service/setting_range.h"

namespace rpanel {

// A printer of this machine variant has no energy-save switch: the page offers none and
// "Upload" always sends 1 (on).
inline constexpr std::uint8_t kVariantWithoutEnergySave = 2;

// One setting of the page, in the order "Upload" sends them.
struct UserServiceSetting {
    std::string_view name;  // the AppState field, as rpanelctl names it
    // How "Upload" sends it; the catalogue row names the AppState field.
    Request write;
    // Where "Download" takes it from: a value read, or ReadAdjustmentsInfo for a slot of the
    // adjustment reply, decoded with that key's offset.
    Request read;
    std::uint8_t adjustSlot;
    int control;     // the trackbar or the drop-down list
    int valueLabel;  // a trackbar's value label; 0 for a list
    SettingRange range;
};

std::span<const UserServiceSetting> UserServiceSettings();
// Null for a control that shows no setting.
const UserServiceSetting* FindUserServiceSetting(int control);
std::int32_t& SettingField(AppState& state, const UserServiceSetting& setting);
std::int32_t SettingField(const AppState& state, const UserServiceSetting& setting);

// What the page holds when it is created: every adjustment 0, the GDI timeout "60" (6),
// energy save on (1), flicker and image adjustment 0. Nothing is read from the printer.
void SetUserServiceDefaults(AppState& state);

// The reads of "Download" on the open link, into state; answers the names of the settings
// they could not read (no reply, the key missing or cut off by message 29, not a number).
// Those fields are then as the decoding left them and must not be taken for the printer's.
std::vector<std::string_view> ReadUserServiceSettings(MessageSink& messages, AppState& state);

// "Download": the four information replies (request 13 with 0x0100..0x0400) into blocks of its
// own, the adjustments decoded from the last of them (a failed reply leaves its slots empty,
// so its adjustments become -offset), then the GDI timeout, energy save and flicker (requests
// 20, 22, 24). A failed read shows message 25 and the download goes on; a failed value read
// leaves its field as it was. Answers false when the link did not open; the settings not read
// go to *unread when asked.
bool DownloadUserService(MessageSink& messages, AppState& state,
                         std::vector<std::string_view>* unread = nullptr);

// "Upload": the fourteen settings, every one sent even after one was not acknowledged, then
// one message: 24 when all were acknowledged, else 25. The energy-save setting is the choice
// selected on the page at that moment (nullopt: nothing selected, the field stays); on a
// printer of machine variant 2 it is always 1. Answers whether all were acknowledged.
bool UploadUserService(MessageSink& messages, AppState& state,
                       std::optional<std::int32_t> energySaveSelection);

// Changes only the named settings: on one link, the machine variant and the reads of
// "Download" (their messages on readMessages), then, when every one of the fourteen was read,
// the named values put in and all fourteen sent as "Upload" sends them (message 24 or 25 on
// messages). Nothing is sent when one was not read. The names must be those of
// UserServiceSettings() and the values in their ranges. *energySaveKeptOn tells that a printer
// without the energy-save switch was asked to switch it off.
ChangeOutcome ChangeUserService(MessageSink& messages, MessageSink& readMessages, AppState& state,
                                std::span<const SettingChange> changes,
                                bool* energySaveKeptOn = nullptr);

enum class TestPattern { One, Two };
// Request 39; message 228 or 229 when acknowledged, else 25.
bool PrintTestPattern(MessageSink& messages, TestPattern pattern);

// Request 85, with the debug lines "BT_IMAGEREFRESH" and "USBOpen" around the opening. The
// reply is not looked at and nothing is shown unless the link does not open (message 26).
void RunImageRefresh(MessageSink& messages);

}  // namespace rpanel
