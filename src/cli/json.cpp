// JSON string escaping.
#include "cli/json.h"

namespace tavik::cli {

std::string JsonString(TextView text) {
    const std::string utf8 = ToUtf8(text);
    std::string out(utf8.size() * 6 + 2, '\0');  // "\u00xx" is the longest escape
    char* put = out.data();
    *put++ = '"';
    static constexpr char kHex[] = "0123456789abcdef";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && c != '"' && c != '\\') {
            *put++ = c;
            continue;
        }
        *put++ = '\\';
        switch (c) {
            case '"':
                *put++ = '"';
                break;
            case '\\':
                *put++ = '\\';
                break;
            case '\n':
                *put++ = 'n';
                break;
            case '\r':
                *put++ = 'r';
                break;
            case '\t':
                *put++ = 't';
                break;
            default:
                *put++ = 'u';
                *put++ = '0';
                *put++ = '0';
                *put++ = kHex[byte >> 4];
                *put++ = kHex[byte & 0xF];
        }
    }
    *put++ = '"';
    out.resize(size_t(put - out.data()));
    return out;
}

std::string JsonStringArray(const std::vector<Text>& texts) {
    std::string json = "[";
    for (size_t i = 0; i < texts.size(); ++i) {
        if (i) json += ',';
        json += JsonString(texts[i]);
    }
    return json + "]";
}

}  // namespace tavik::cli
