// Parsing the shared options of the dictionary tools.
#include "cli/tool_options.h"

#include <charconv>

#include "cli/command_error.h"
#include "text/codepage_detect.h"

namespace tavik::cli {

namespace {

CodePage NamedCodePage(const std::string& name) {
    auto codePage = CodePage::Named(name);
    if (!codePage) throw CommandError("unknown or unsupported code page '" + name + "'");
    return std::move(*codePage);
}

}  // namespace

CodePage CodePageOption(const Options& options, const std::filesystem::path& dictionary) {
    if (const auto name = options.Value("--codepage")) return NamedCodePage(*name);
    return CodePageForFinding(DetectFileEncoding(dictionary), CodePage::Default());
}

CodePage OutputCodePageOption(const Options& options) {
    return NamedCodePage(options.Value("--codepage").value_or("UTF-8"));
}

int64_t CountOption(const Options& options, std::string_view name, int64_t fallback) {
    const auto value = options.Value(name);
    if (!value) return fallback;
    int64_t count = 0;
    const auto [end, error] = std::from_chars(value->data(), value->data() + value->size(), count);
    if (error != std::errc() || end != value->data() + value->size() || count < 0)
        throw CommandError("option " + std::string(name) + " needs a number, not '" + *value + "'");
    return count;
}

}  // namespace tavik::cli
