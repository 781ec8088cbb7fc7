// The catalogue file beside the test program, for the package-button tests on any window system.
#pragma once

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>

#include "platform/encoding.h"
#include "platform/system.h"

// The text as a file saved in UTF-16: the byte-order mark, then two bytes a code unit.
inline std::string Utf16WithMark(std::u16string_view text, bool bigEndian)
{
    std::string bytes;
    for (char16_t unit : u"\uFEFF" + std::u16string(text)) {
        char low = static_cast<char>(unit & 0xFF);
        char high = static_cast<char>(unit >> 8);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

// databank.ini in the program's directory (each test program's own) for one test: gone when the
// object goes.
class CatalogueFile {
public:
    CatalogueFile() : path_(JoinPath(ProgramDirectory(), "databank.ini")) {}
    ~CatalogueFile() { Remove(); }
    CatalogueFile(const CatalogueFile&) = delete;
    CatalogueFile& operator=(const CatalogueFile&) = delete;

    // The complete test catalogue: every key, values "<brand>.<app>".
    void UseSample() { WriteBytes(Read(SamplePath())); }
    // Lines in UTF-8, stored in GBK with CR LF as the program's users keep the file.
    void Write(std::initializer_list<std::string_view> lines)
    {
        std::string text;
        for (std::string_view line : lines) {
            text += line;
            text += "\r\n";
        }
        WriteBytes(Utf8ToGbk(text));
    }
    // As stored: Notepad's other way of saving is UTF-8 without a byte-order mark.
    void WriteBytes(const std::string& bytes) { std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes; }
    void Remove()
    {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    // A folder where the file should be: something is there that cannot be read.
    void ReplaceWithFolder()
    {
        Remove();
        std::filesystem::create_directory(path_);
    }
    const std::string& Path() const { return path_; }

    static std::filesystem::path SamplePath()
    {
        return std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / "sample_databank.ini";
    }
    static std::string Read(const std::filesystem::path& path)
    {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

private:
    std::string path_;
};
