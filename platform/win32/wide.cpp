// UTF-8 <-> UTF-16 conversion with MultiByteToWideChar and WideCharToMultiByte.
#include "platform/win32/wide.h"

#include "platform/win32/windows_api.h"

std::wstring Utf8ToWide(std::string_view utf8)
{
    if (utf8.empty()) {
        return {};
    }
    // Without MB_ERR_INVALID_CHARS, invalid sequences turn into U+FFFD instead of failing the call.
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

std::string WideToUtf8(std::wstring_view wide)
{
    if (wide.empty()) {
        return {};
    }
    int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length, nullptr, nullptr);
    return utf8;
}
