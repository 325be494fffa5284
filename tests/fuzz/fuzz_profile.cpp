// The profile reader and writer on arbitrary files, sections, keys and
// values: reads never crash or overrun their buffer, and a write followed by
// a read gives back the value written whenever the value can stand in a key
// line as it is.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/profile.h"
#include "fuzz/cpu_budget.h"
#include "fuzz/fuzz_folder.h"
#include "fuzz/fuzz_input.h"

using namespace tavik;

namespace {

bool Has(std::string_view s, std::string_view bytes) {
    return s.find_first_of(bytes) != std::string_view::npos;
}

// A name that reads back as itself: no line breaks, NUL or 0xFF, no "]" in a
// section, no "=" in a key, and a key that no line kind takes for another.
bool RoundTrips(std::string_view file, std::string_view section, std::string_view key,
                std::string_view value) {
    using namespace std::string_view_literals;
    const std::string_view breaking("\n\0\xff"sv);
    if (Has(file, "\xff"sv) || Has(section, breaking) || Has(key, breaking) || Has(value, breaking))
        return false;
    if (Has(section, "]") || Has(key, "=") || section.empty()) return false;
    const size_t keyStart = key.find_first_not_of('\b');
    if (!key.empty() && (key[0] == ';' || (keyStart != key.npos && key[keyStart] == '[')))
        return false;
    const size_t valueStart = value.find_first_not_of('\b');
    if (valueStart != value.npos && (value[valueStart] == '"' || value[valueStart] == '\''))
        return false;
    return key.size() + value.size() + 3 <= 255;  // the key line fits one read
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::CpuBudget budget;
    fuzz::FuzzInput input(data, size);
    const std::string section(input.Piece(12));
    const std::string key(input.Piece(12));
    const std::string value(input.Piece(255));
    const std::string_view file = input.Rest();
    const auto path = fuzz::FuzzFolder() / "SkinInfo.Cfg";
    fuzz::WriteBytes(path, file);

    char buffer[kProfileLineBuffer];
    std::memset(buffer, 'x', sizeof buffer);
    const int size8 = ProfileReadString(section.c_str(), key.c_str(), "dflt", buffer, 8, path);
    if (size8 > 7 || std::strlen(buffer) > 7) std::abort();
    ProfileReadInt(section.c_str(), key.c_str(), -5, path);

    const int written = ProfileWriteString(section.c_str(), key.c_str(), value.c_str(), path);
    const std::string_view cValue(value.c_str());
    if (RoundTrips(file, section, key, value)) {
        if (written != int(cValue.size())) std::abort();
        const int read =
            ProfileReadString(section.c_str(), key.c_str(), "", buffer, kProfileLineBuffer, path);
        // Key lines are written with CR LF; an unquoted value keeps the CR.
        if (read < 0 || std::string_view(buffer) != std::string(cValue) + "\r") std::abort();
    }
    return 0;
}
