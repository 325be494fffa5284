// iconv-based code-page conversion with U+FFFD for invalid input.
#include "text/codepage.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tavik {

namespace {

constexpr char16_t kReplacement = 0xFFFD;
const iconv_t kNoIconv = reinterpret_cast<iconv_t>(-1);

std::string CanonicalName(std::string_view name) {
    std::string upper;
    for (char c : name) upper.push_back(char(std::toupper(static_cast<unsigned char>(c))));
    if (upper == "949" || upper == "CP949" || upper == "UHC" || upper == "MS949") return "CP949";
    if (upper == "65001" || upper == "UTF-8" || upper == "UTF8") return "UTF-8";
    if (!upper.empty() && std::all_of(upper.begin(), upper.end(), ::isdigit)) return "CP" + upper;
    return upper;
}

}  // namespace

CodePage& CodePage::operator=(const CodePage& other) {
    if (this != &other) {
        m_name = other.m_name;
        m_decoder.reset();
        m_encoder.reset();
    }
    return *this;
}

CodePage CodePage::Default() { return CodePage("CP949"); }

std::optional<CodePage> CodePage::Named(std::string_view name) {
    CodePage cp(CanonicalName(name));
    // The two code pages Tavik is made for are known to keep ASCII; checking
    // them would load iconv's converters into every short-lived process,
    // even for dictionaries that are all ASCII.
    if (cp.m_name == "CP949" || cp.m_name == "UTF-8") return cp;
    if (cp.m_name.empty() || cp.Decoder() == kNoIconv || cp.Encoder() == kNoIconv)
        return std::nullopt;
    std::string ascii;
    for (int c = 1; c < 0x80; ++c) ascii.push_back(char(c));
    // Bypass the ASCII shortcut to ask iconv itself.
    Text decoded;
    {
        iconv_t cd = cp.Decoder();
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        std::array<char, 512> out{};
        char* in = ascii.data();
        size_t inLeft = ascii.size();
        char* outPtr = out.data();
        size_t outLeft = out.size();
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == size_t(-1)) return std::nullopt;
        for (char* p = out.data(); p + 1 < outPtr; p += 2)
            decoded.push_back(char16_t(static_cast<unsigned char>(p[0]) |
                                       (static_cast<unsigned char>(p[1]) << 8)));
    }
    if (decoded != Ascii(ascii)) return std::nullopt;
    return cp;
}

iconv_t CodePage::Decoder() const {
    if (!m_decoder) {
        iconv_t cd = iconv_open("UTF-16LE", m_name.c_str());
        if (cd == kNoIconv) return kNoIconv;
        m_decoder.reset(cd);
    }
    return static_cast<iconv_t>(m_decoder.get());
}

iconv_t CodePage::Encoder() const {
    if (!m_encoder) {
        iconv_t cd = iconv_open(m_name.c_str(), "UTF-16LE");
        if (cd == kNoIconv) return kNoIconv;
        m_encoder.reset(cd);
    }
    return static_cast<iconv_t>(m_encoder.get());
}

Text CodePage::Decode(std::string_view bytes) const {
    Text out;
    DecodeAppend(bytes, out);
    return out;
}

void CodePage::DecodeAppend(std::string_view bytes, Text& out) const {
    // Most dictionary text is ASCII: widen it in the same pass that checks it.
    const size_t start = out.size();
    out.resize(start + bytes.size());
    char16_t* const put = out.data() + start;
    size_t ascii = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time where the processor can: tested by their top
    // bits, widened by interleaving them with zeros.
    for (; ascii + 16 <= bytes.size(); ascii += 16) {
        const __m128i block =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + ascii));
        if (_mm_movemask_epi8(block) != 0) break;
        const __m128i zero = _mm_setzero_si128();
        _mm_storeu_si128(reinterpret_cast<__m128i*>(put + ascii), _mm_unpacklo_epi8(block, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(put + ascii + 8),
                         _mm_unpackhi_epi8(block, zero));
    }
#endif
    for (uint64_t block; ascii + 8 <= bytes.size(); ascii += 8) {
        std::memcpy(&block, bytes.data() + ascii, 8);
        if (block & 0x8080808080808080ull) break;
        for (size_t k = 0; k < 8; ++k) put[ascii + k] = char16_t(bytes[ascii + k]);
    }
    for (; ascii < bytes.size(); ++ascii) {
        const auto byte = static_cast<unsigned char>(bytes[ascii]);
        if (byte >= 0x80) break;
        put[ascii] = byte;
    }
    if (ascii == bytes.size()) return;
    out.resize(start);
    // UTF-8 needs no converter; an invalid sequence becomes one U+FFFD.
    if (IsUtf8()) {
        out.append(FromUtf8(bytes));
        return;
    }
    out.reserve(start + bytes.size());
    iconv_t cd = Decoder();
    if (cd == kNoIconv) {
        for (char c : bytes) {
            const auto b = static_cast<unsigned char>(c);
            out.push_back(b < 0x80 ? char16_t(b) : kReplacement);
        }
        return;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::array<char, 1024> buffer;
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        size_t outLeft = buffer.size();
        const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        const int err = errno;
        for (char* p = buffer.data(); p + 1 < outPtr; p += 2)
            out.push_back(char16_t(static_cast<unsigned char>(p[0]) |
                                   (static_cast<unsigned char>(p[1]) << 8)));
        if (rc != size_t(-1)) break;
        if (err == E2BIG) continue;
        // EILSEQ or EINVAL (a sequence cut off by the end): one byte becomes
        // U+FFFD and decoding resumes right after it.
        out.push_back(kReplacement);
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
}

std::optional<std::string> CodePage::Encode(TextView text) const {
    bool ascii = std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; });
    if (ascii) return std::string(text.begin(), text.end());
    iconv_t cd = Encoder();
    if (cd == kNoIconv) return std::nullopt;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string input;
    input.reserve(text.size() * 2);
    for (char16_t c : text) {
        input.push_back(char(c & 0xFF));
        input.push_back(char(c >> 8));
    }
    std::string out;
    std::array<char, 1024> buffer;
    char* in = input.data();
    size_t inLeft = input.size();
    for (;;) {
        char* outPtr = buffer.data();
        size_t outLeft = buffer.size();
        const size_t rc = iconv(cd, inLeft ? &in : nullptr, &inLeft, &outPtr, &outLeft);
        const int err = errno;
        out.append(buffer.data(), outPtr);
        if (rc != size_t(-1)) {
            if (inLeft == 0) {
                // Flush any shift state.
                outPtr = buffer.data();
                outLeft = buffer.size();
                iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
                out.append(buffer.data(), outPtr);
                return out;
            }
            continue;
        }
        if (err != E2BIG) return std::nullopt;
    }
}

}  // namespace tavik
