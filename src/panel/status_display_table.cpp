#include "panel/status_display_table.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string_view>

#include "panel/status_code.h"

namespace rpanel {
namespace {

constexpr DisplayLine kNoLine{};

constexpr DisplayLine Text(int id) {
    return {id, kLongTextLimit};
}
constexpr DisplayLine ShortText(int id) {
    return {id, kShortTextLimit};
}
constexpr DisplayLine Joined(int first, int second) {
    return {first, kShortTextLimit, Join::Direct, second};
}
constexpr DisplayLine Spaced(int first, int second) {
    return {first, kShortTextLimit, Join::Space, second};
}

// The table is written as the printer's four groups of codes; the English texts are given
// in the comments so that each row can be checked against the printer's manual.

// Group 1: codes with texts of their own.
// The first digit of a code tells its kind: 0 the printer is ready or busy, 1 a service
// call, 2 it stopped, 3 it goes on with a warning. Severities follow that, except for the
// toner-out family 3000, which we rank with the stops: an empty cartridge needs the user now.
constexpr Severity kReady = Severity::Ready;
constexpr Severity kInfo = Severity::Information;
constexpr Severity kWarning = Severity::Warning;
constexpr Severity kError = Severity::Error;

struct SingleCode {
    std::string_view code;
    DisplayLine line1;
    DisplayLine line2;
    Severity severity;
};
constexpr SingleCode kSingleCodes[] = {
    {"000000", Text(233), kNoLine, kReady},      // READY
    {"000001", Text(234), kNoLine, kInfo},       // Receiving
    {"000002", Text(235), kNoLine, kInfo},       // Printing
    {"000003", Text(1256), kNoLine, kInfo},      // Warming Up
    {"000004", Text(1255), kNoLine, kInfo},      // Image Refresh
    {"001000", Text(236), kNoLine, kInfo},       // Energy Save
    {"002000", ShortText(17), kNoLine, kInfo},   // Change Toner
    {"002001", ShortText(117), kNoLine, kInfo},  // P/H Clean Up
    {"002002", ShortText(18), kNoLine, kInfo},   // Eject All Toner
    {"200100", Text(284), Text(287), kError},    // TRANSFER JAM / OPEN TOP COVER
    {"200200", Text(285), Text(287), kError},    // FUSER JAM / OPEN TOP COVER
    {"200300", Text(286), Text(287), kError},    // OUTPUT JAM / OPEN TOP COVER
    {"201000", Text(288), Text(289), kError},    // "TOP COVER OPEN " / CLOSE TOP COVER
    {"203001", Text(308), Text(306), kError},    // P/U LIFE END / REPLACE P/U
    {"205000", Text(312), Text(326), kError},    // PROCESS ERROR-BELT / CLEAR BY COVER
    {"205001", Text(313), Text(326), kError},    // PROCESS ERROR-IDC / CLEAR BY COVER
    {"207000", Text(317), Text(318), kError},    // OUTPUT TRAY FULL / REMOVE PAPER
    {"209000", Text(319), kNoLine, kError},      // MEMORY FULL
    {"301000", Text(321), kNoLine, kWarning},    // P/U LOW
    {"303000", Text(322), kNoLine, kWarning},    // T/C MEMORY ERROR
    {"304000", Text(323), kNoLine, kWarning},    // VIDEO I/F ERROR
    {"305000", Text(324), kNoLine, kWarning},    // PROCESS CAUTION-IDC
    {"307000", Text(307), kNoLine, kWarning},    // P/U END
};

// Group 2: service calls, "MACHINE TROUBLE" over the call's number. 100005 is not one.
constexpr int kMachineTrouble = 261;
struct ServiceCall {
    std::string_view code;
    int line2;
};
constexpr ServiceCall kServiceCalls[] = {
    {"100000", 237},   // SERVICE CALL(0001)
    {"100001", 238},   // SERVICE CALL(001B)
    {"100002", 239},   // SERVICE CALL(004C)
    {"100003", 240},   // SERVICE CALL(004E)
    {"100004", 241},   // SERVICE CALL(0092)
    {"100006", 242},   // SERVICE CALL(0094)
    {"100007", 243},   // SERVICE CALL(0300)
    {"100008", 244},   // SERVICE CALL(0310)
    {"100009", 245},   // SERVICE CALL(0500)
    {"100010", 246},   // SERVICE CALL(0502)
    {"100011", 247},   // SERVICE CALL(0503)
    {"100012", 248},   // SERVICE CALL(0510)
    {"100013", 249},   // SERVICE CALL(0520)
    {"100014", 250},   // SERVICE CALL(0F51)
    {"100015", 251},   // SERVICE CALL(13C0)
    {"100016", 252},   // SERVICE CALL(13DD)
    {"100017", 253},   // SERVICE CALL(13F0)
    {"100018", 254},   // SERVICE CALL(3C00)
    {"100019", 255},   // SERVICE CALL(3C10)
    {"100020", 256},   // SERVICE CALL(13E2)
    {"100021", 257},   // SERVICE CALL(1038)
    {"100022", 258},   // SERVICE CALL(3FFF)
    {"100023", 1202},  // SERVICE CALL(3C40)
};

// Group 3: paper size. The codes are a family prefix and two decimal digits nn that select
// the size text, which follows the family's line-2 text directly.
constexpr int kPaperSizeTexts[] = {
    259,  // 00 (LETTER)
    260,  // 01 (A4)
    263,  // 02 (16K)
    264,  // 03 (A5)
    265,  // 04 (B5(ISO))
    266,  // 05 (STATEMENT)
    267,  // 06 (UK QUARTO)
    268,  // 07 (B5)
    269,  // 08 (KAI 16)
    270,  // 09 (G LETTER)
    271,  // 10 (EXECUTIVE)
    272,  // 11 (DL)
    273,  // 12 (C6)
    274,  // 13 (POSTCARD)
    275,  // 14 (KAI 32)
    276,  // 15 (LEGAL)
    277,  // 16 (LETTER PLUS)
    278,  // 17 (FOLIO)
    279,  // 18 (FOOLSCAP)
    280,  // 19 (G LEGAL)
    281,  // 20 (OFICIO)
    282,  // 21 (CUSTOM(Plain))
    283,  // 22 (CUSTOM(Thick))
};
struct PaperFamily {
    std::string_view prefix;
    int line1;
    int line2;  // followed directly by the size text
};
constexpr PaperFamily kPaperFamilies[] = {
    {"2000", 262, 315},  // CHECK TRAY PAPER / LOAD PAPER(size)
    {"2060", 314, 316},  // PAPER SIZE ERROR / RESET PAPER(size)
};

// Group 4: toner colour sets. The codes are a family prefix, "0" and one capital hex digit h
// from 1 to F, a bit set of toner colours (1 Y, 2 M, 4 C, 8 K) named in the order Y, M, C, K.
struct ColourSet {
    char digit;
    int check;
    int change;  // the single-colour texts end with a space
    int tonerOut;
    int tonerLow;
    int letters;
    int nonGenuine;
};
constexpr ColourSet kColourSets[] = {
    // h   CHECK CHANGE OUT  LOW  letters NON GENUINE
    {'1', 346, 372, 1221, 1206, 291, 1236},  // Y
    {'2', 347, 373, 1222, 1207, 292, 1237},  // M
    {'3', 350, 376, 1225, 1210, 295, 1240},  // YM
    {'4', 348, 374, 1223, 1208, 293, 1238},  // C
    {'5', 351, 377, 1226, 1211, 296, 1241},  // YC
    {'6', 368, 383, 1232, 1217, 300, 1247},  // MC
    {'7', 353, 379, 1228, 1213, 298, 1243},  // YMC
    {'8', 349, 375, 1224, 1209, 294, 1239},  // K
    {'9', 352, 378, 1227, 1212, 297, 1242},  // YK
    {'A', 369, 384, 1233, 1218, 301, 1248},  // MK
    {'B', 365, 380, 1229, 1214, 304, 1244},  // YMK
    {'C', 371, 386, 1235, 1220, 303, 1250},  // CK
    {'D', 366, 381, 1230, 1215, 305, 1245},  // YCK
    {'E', 370, 385, 1234, 1219, 302, 1249},  // MCK
    {'F', 367, 382, 1231, 1216, 299, 1246},  // YMCK
};

// A line of a toner family: a fixed text, a text of the colour set, or a fixed text, a space
// and a text of the set.
struct FamilyLine {
    int fixed = 0;
    int ColourSet::*ofSet = nullptr;
    std::size_t limit = kLongTextLimit;

    constexpr DisplayLine For(const ColourSet& set) const {
        if (fixed != 0 && ofSet != nullptr) {
            return Spaced(fixed, set.*ofSet);
        }
        return {ofSet != nullptr ? set.*ofSet : fixed, limit};
    }
};
constexpr FamilyLine Fixed(int id, std::size_t limit = kLongTextLimit) {
    return {id, nullptr, limit};
}
constexpr FamilyLine OfSet(int ColourSet::*text, std::size_t limit = kLongTextLimit) {
    return {0, text, limit};
}
constexpr FamilyLine SpacedBeforeSet(int id, int ColourSet::*text) {
    return {id, text};
}
constexpr FamilyLine kNoFamilyLine{};

struct TonerFamily {
    std::string_view prefix;
    FamilyLine line1;
    FamilyLine line2;
    Severity severity;
};
constexpr TonerFamily kTonerFamilies[] = {
    // NOT INSTALLED TONER / CHECK text
    {"2020", Fixed(290), OfSet(&ColourSet::check), kError},
    // TONER OUT / CHANGE text
    {"2040", Fixed(309), OfSet(&ColourSet::change), kError},
    // TONER LIFE END / CHANGE text
    {"2100", Fixed(387, kShortTextLimit), OfSet(&ColourSet::change), kError},
    // WRONG TONER / CHECK text
    {"2110", Fixed(325, kShortTextLimit), OfSet(&ColourSet::check), kError},
    // TONER OUT text
    {"3000", OfSet(&ColourSet::tonerOut, kShortTextLimit), kNoFamilyLine, kError},
    // TONER LOW text
    {"3020", OfSet(&ColourSet::tonerLow, kShortTextLimit), kNoFamilyLine, kWarning},
    // WRONG TONER, a space, the set letters
    {"3030", SpacedBeforeSet(325, &ColourSet::letters), kNoFamilyLine, kWarning},
    // NON GENUINE text / PRESS CLEAR KEY TO CONTINUE: it waits for the key, so an error
    {"3080", OfSet(&ColourSet::nonGenuine, kShortTextLimit), Fixed(1201), kError},
    // NON GENUINE text
    {"3090", OfSet(&ColourSet::nonGenuine, kShortTextLimit), kNoFamilyLine, kWarning},
};

static_assert(std::size(kSingleCodes) == 23);
static_assert(std::size(kServiceCalls) == 23);
static_assert(std::size(kPaperFamilies) * std::size(kPaperSizeTexts) == 46);
static_assert(std::size(kTonerFamilies) * std::size(kColourSets) == 135);
static_assert(23 + 23 + 46 + 135 == kStatusDisplayEntryCount);

constexpr StatusCode FamilyCode(std::string_view prefix, char fifth, char sixth) {
    StatusCode code = ToStatusCode(prefix);
    code[4] = fifth;
    code[5] = sixth;
    return code;
}

constexpr bool ByCode(const StatusDisplayEntry& a, const StatusDisplayEntry& b) {
    return a.code < b.code;
}

constexpr std::array<StatusDisplayEntry, kStatusDisplayEntryCount> BuildTable() {
    std::array<StatusDisplayEntry, kStatusDisplayEntryCount> table{};
    std::size_t n = 0;
    for (const SingleCode& row : kSingleCodes) {
        table[n++] = {ToStatusCode(row.code), row.line1, row.line2, row.severity};
    }
    for (const ServiceCall& row : kServiceCalls) {
        table[n++] = {ToStatusCode(row.code), Text(kMachineTrouble), Text(row.line2),
                      Severity::ServiceCall};
    }
    for (const PaperFamily& family : kPaperFamilies) {
        for (std::size_t nn = 0; nn < std::size(kPaperSizeTexts); ++nn) {
            const char tens = static_cast<char>('0' + nn / 10);
            const char ones = static_cast<char>('0' + nn % 10);
            table[n++] = {FamilyCode(family.prefix, tens, ones), Text(family.line1),
                          Joined(family.line2, kPaperSizeTexts[nn]), kError};
        }
    }
    for (const TonerFamily& family : kTonerFamilies) {
        for (const ColourSet& set : kColourSets) {
            table[n++] = {FamilyCode(family.prefix, '0', set.digit), family.line1.For(set),
                          family.line2.For(set), family.severity};
        }
    }
    std::sort(table.begin(), table.end(), ByCode);
    return table;
}

constexpr std::array<StatusDisplayEntry, kStatusDisplayEntryCount> kTable = BuildTable();

constexpr bool CodesAreUniqueAndWhole() {
    for (const StatusDisplayEntry& entry : kTable) {
        if (std::find(entry.code.begin(), entry.code.end(), '\0') != entry.code.end()) {
            return false;
        }
    }
    return std::adjacent_find(kTable.begin(), kTable.end(), [](const auto& a, const auto& b) {
               return a.code == b.code;
           }) == kTable.end();
}
static_assert(CodesAreUniqueAndWhole(), "every code once, six characters without a NUL");

constexpr Severity SeverityIn(std::string_view text) {
    const StatusCode code = ToStatusCode(text);
    for (const StatusDisplayEntry& entry : kTable) {
        if (entry.code == code) {
            return entry.severity;
        }
    }
    return Severity::Information;
}
// One code of each kind, as the printer's manual ranks them.
static_assert(SeverityIn("000000") == Severity::Ready);
static_assert(SeverityIn("001000") == Severity::Information);  // Energy Save
static_assert(SeverityIn("302008") == Severity::Warning);      // TONER LOW K
static_assert(SeverityIn("301000") == Severity::Warning);      // P/U LOW
static_assert(SeverityIn("204008") == Severity::Error);        // TONER OUT / CHANGE K
static_assert(SeverityIn("300004") == Severity::Error);        // TONER OUT C
static_assert(SeverityIn("200200") == Severity::Error);        // FUSER JAM
static_assert(SeverityIn("201000") == Severity::Error);        // TOP COVER OPEN
static_assert(SeverityIn("200001") == Severity::Error);        // LOAD PAPER(A4)
static_assert(SeverityIn("308004") == Severity::Error);        // NON GENUINE, press clear
static_assert(SeverityIn("309004") == Severity::Warning);      // NON GENUINE
static_assert(SeverityIn("100023") == Severity::ServiceCall);  // SERVICE CALL(3C40)
static_assert(SeverityIn("100005") == Severity::Information);  // not in the table

}  // namespace

std::span<const StatusDisplayEntry> StatusDisplayTable() {
    return kTable;
}

const char* SeverityName(Severity severity) {
    switch (severity) {
        case Severity::Ready:
            return "ready";
        case Severity::Information:
            return "information";
        case Severity::Warning:
            return "warning";
        case Severity::Error:
            return "error";
        case Severity::ServiceCall:
            return "service call";
    }
    return "information";
}

Severity SeverityOf(const StatusCode& code) {
    const StatusDisplayEntry* entry = FindStatusDisplay(code);
    return entry != nullptr ? entry->severity : Severity::Information;
}

const StatusDisplayEntry* FindStatusDisplay(const StatusCode& code) {
    const auto found = std::lower_bound(
        kTable.begin(), kTable.end(), code,
        [](const StatusDisplayEntry& entry, const StatusCode& key) { return entry.code < key; });
    return found != kTable.end() && found->code == code ? &*found : nullptr;
}

}  // namespace rpanel
