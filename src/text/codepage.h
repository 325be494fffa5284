// Conversion between the dictionary's code page and Text, through iconv.
//
// Dictionaries and word lists are byte files in one code page (CP949 unless
// the user chose another). Decoding never fails: an invalid or truncated
// sequence becomes U+FFFD and the rest of the text is still decoded.
// Encoding reports characters the code page cannot hold instead of writing
// '?' for them.
#pragma once

#include <iconv.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "text/text.h"

namespace tavik {

class CodePage {
public:
    // Accepts iconv names ("CP949", "UTF-8", "EUC-KR", ...) and the usual
    // Windows numbers ("949", "65001"). Only code pages that keep ASCII as
    // ASCII are accepted: the dictionary format is made of ASCII '/' and line
    // feeds. Returns nullopt for anything else.
    static std::optional<CodePage> Named(std::string_view name);
    static CodePage Default();  // CP949

    // The canonical name given to iconv, e.g. "CP949".
    const std::string& Name() const { return m_name; }
    bool IsUtf8() const { return m_name == "UTF-8"; }

    Text Decode(std::string_view bytes) const;
    // Appends the decoded `bytes` to `out`: a caller that decodes many lines
    // into one buffer allocates nothing for most of them.
    void DecodeAppend(std::string_view bytes, Text& out) const;
    // nullopt when some character has no encoding in this code page.
    std::optional<std::string> Encode(TextView text) const;

    CodePage(CodePage&&) noexcept = default;
    CodePage& operator=(CodePage&&) noexcept = default;
    CodePage(const CodePage& other) : m_name(other.m_name) {}
    CodePage& operator=(const CodePage& other);

private:
    explicit CodePage(std::string name) : m_name(std::move(name)) {}

    struct IconvCloser {
        void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
    };
    using IconvHandle = std::unique_ptr<void, IconvCloser>;

    // Opened on first use: most dictionary lines are ASCII, which needs no
    // converter at all.
    iconv_t Decoder() const;
    iconv_t Encoder() const;

    std::string m_name;
    mutable IconvHandle m_decoder;
    mutable IconvHandle m_encoder;
};

}  // namespace tavik
