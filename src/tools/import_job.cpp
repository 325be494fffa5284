// Running an importer into a builder.
#include "tools/import_job.h"

#include "tools/importers.h"

namespace tavik {

namespace fs = std::filesystem;

namespace {

fs::path WithSuffix(fs::path base, const char* suffix) {
    base += suffix;
    return base;
}

}  // namespace

const char* FormatName(DictionaryFormat format) {
    switch (format) {
        case DictionaryFormat::kDictd:
            return "dictd";
        case DictionaryFormat::kStarDict:
            return "stardict";
        case DictionaryFormat::kTab:
            return "tab";
    }
    return "";
}

std::optional<DictionaryFormat> FormatNamed(std::string_view name) {
    for (DictionaryFormat format :
         {DictionaryFormat::kDictd, DictionaryFormat::kStarDict, DictionaryFormat::kTab})
        if (name == FormatName(format)) return format;
    return std::nullopt;
}

ImportStats ImportDictionary(const ImportRequest& request, const CodePage& codePage,
                             ProgressReporter* progress) {
    RefuseOwnInput(request);
    DictionaryBuilder builder(codePage, request.output, request.memory);
    builder.SetProgress(progress);
    ImportOptions options;
    options.progress = progress;
    switch (request.format) {
        case DictionaryFormat::kDictd:
            ImportDictd(request.input, request.data, builder, options);
            break;
        case DictionaryFormat::kStarDict:
            ImportStarDict(request.input, builder, options);
            break;
        case DictionaryFormat::kTab:
            ImportTab(request.input, builder, options);
            break;
    }
    if (progress) progress->Reading(1, 1, builder.Stats().entries);
    return builder.Finish();
}

std::vector<fs::path> ImportInputFiles(const ImportRequest& request) {
    std::vector<fs::path> files{request.input};
    if (request.data) files.push_back(*request.data);
    fs::path base = request.input;
    if (request.format == DictionaryFormat::kDictd && !request.data) {
        if (base.extension() == ".index") base.replace_extension();
        for (const char* suffix : {".dict.dz", ".dict"}) files.push_back(WithSuffix(base, suffix));
    } else if (request.format == DictionaryFormat::kStarDict) {
        base.replace_extension();
        for (const char* suffix : {".idx", ".idx.gz", ".dict", ".dict.dz"})
            files.push_back(WithSuffix(base, suffix));
    }
    return files;
}

void RefuseOwnInput(const ImportRequest& request) {
    for (const fs::path& input : ImportInputFiles(request)) {
        std::error_code error;
        if (fs::equivalent(input, request.output, error))
            throw ToolError(request.output.string() + " is an input of the import (" +
                            input.string() + "); write the dictionary to another file");
    }
}

}  // namespace tavik
