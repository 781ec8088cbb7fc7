// GBK and the legacy code pages of captured output, through the Windows code-page conversions.
#include "platform/win32/windows_api.h"

#include <cstddef>

#include "platform/encoding.h"
#include "platform/legacy_code_page.h"
#include "platform/win32/wide.h"

namespace {

constexpr UINT kGbk = 936;

int Length(std::string_view bytes) { return static_cast<int>(bytes.size()); }

// Strictly decoded bytes of the code page; false when any byte sequence is invalid in it.
bool ToWideStrict(UINT codePage, std::string_view bytes, std::wstring& wide)
{
    int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), Length(bytes), nullptr, 0);
    if (length <= 0) {
        return false;
    }
    wide.assign(static_cast<std::size_t>(length), L'\0');
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), Length(bytes), wide.data(), length) == length;
}

// Characters that the code page lacks become its default character; no best-fit look-alikes.
std::string WideToCodePage(UINT codePage, std::wstring_view wide)
{
    DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    int wideLength = static_cast<int>(wide.size());
    int length = WideCharToMultiByte(codePage, flags, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) {
        WideCharToMultiByte(codePage, flags, wide.data(), wideLength, bytes.data(), length, nullptr, nullptr);
    }
    return bytes;
}

// One character of the code page (one or two bytes) as UTF-8, or U+FFFD.
std::string DecodeCharacter(UINT codePage, std::string_view character)
{
    std::wstring wide;
    if (!ToWideStrict(codePage, character, wide)) {
        return std::string(kReplacementCharacter);
    }
    return WideToCodePage(CP_UTF8, wide);
}

bool IsLeadByte(UINT codePage, unsigned char byte) { return IsDBCSLeadByteEx(codePage, byte) != FALSE; }

// GBK has no characters beyond U+FFFF: each surrogate pair becomes one '?', as a lacking
// character of the basic plane does, instead of one '?' for each half.
std::wstring FoldSurrogatePairs(std::wstring_view wide)
{
    std::wstring folded;
    folded.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        bool pair = IS_HIGH_SURROGATE(wide[i]) && i + 1 < wide.size() && IS_LOW_SURROGATE(wide[i + 1]);
        folded += pair ? L'?' : wide[i];
        i += pair ? 1 : 0;
    }
    return folded;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk)
{
    if (gbk.empty()) {
        return {};
    }
    std::wstring wide;
    if (ToWideStrict(kGbk, gbk, wide)) {
        return WideToCodePage(CP_UTF8, wide);
    }
    // Some bytes are invalid: character by character, so that only those become U+FFFD.
    std::string utf8;
    for (std::size_t i = 0; i < gbk.size();) {
        bool pair = IsLeadByte(kGbk, static_cast<unsigned char>(gbk[i])) && i + 1 < gbk.size();
        std::string_view character = gbk.substr(i, pair ? 2 : 1);
        std::string decoded = DecodeCharacter(kGbk, character);
        if (pair && decoded == kReplacementCharacter) {
            character = character.substr(0, 1);  // an invalid trail byte is read again on its own
        }
        utf8 += decoded;
        i += character.size();
    }
    return utf8;
}

std::string Utf8ToGbk(std::string_view utf8)
{
    if (utf8.empty()) {
        return {};
    }
    return WideToCodePage(kGbk, FoldSurrogatePairs(Utf8ToWide(utf8)));
}

const bool kLoneLineFeedsGainCarriageReturns = false;

LegacyCharacter DecodeLegacyCharacter(LegacyCodePage page, std::string_view bytes)
{
    UINT codePage = page == LegacyCodePage::Console ? GetOEMCP() : page == LegacyCodePage::Ansi ? GetACP() : kGbk;
    if (IsLeadByte(codePage, static_cast<unsigned char>(bytes[0]))) {
        if (bytes.size() < 2) {
            return {std::string(), 0};
        }
        std::string pair = DecodeCharacter(codePage, bytes.substr(0, 2));
        if (pair != kReplacementCharacter) {
            return {pair, 2};
        }
    }
    return {DecodeCharacter(codePage, bytes.substr(0, 1)), 1};
}
