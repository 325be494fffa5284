// Finding what keeps a dictionary file from working with the lookup: order,
// line length, encoding, the "/" of each line, headwords a search can never
// reach, and the final line feed.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "text/codepage.h"

namespace tavik {

enum class Fault {
    kOutOfOrder,
    kTooLong,
    kUndecodable,
    kNoSlash,
    kEmptyHeadword,
    kSpaceAroundHeadword,
    kNulByte,
    kNoFinalLineFeed,
    kCount
};

struct Problem {
    int64_t line = 0;  // 1-based
    Fault fault = Fault::kOutOfOrder;
    std::string message;  // UTF-8
};

struct CheckSummary {
    int64_t lines = 0;
    std::array<int64_t, size_t(Fault::kCount)> counts{};
    // Lines longer than earlier readers take whole (not a fault): how many,
    // and the first of them (1-based; 0 when none).
    int64_t longForOldReaders = 0;
    int64_t firstLongForOldReaders = 0;

    int64_t Total() const;
    bool Clean() const { return Total() == 0; }
};

// A short name of the fault for the summary ("out of order", ...).
const char* FaultName(Fault fault);

// Reads the whole file once, a line at a time in bounded memory, and hands
// every problem to `report` in line order. Throws ToolError when the file
// cannot be read.
CheckSummary CheckDictionary(const std::filesystem::path& path, const CodePage& codePage,
                             const std::function<void(const Problem&)>& report);

}  // namespace tavik
