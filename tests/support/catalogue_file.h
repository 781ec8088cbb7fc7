// The catalogue file beside the test program, for the package-button tests on any window system.
#pragma once

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>

#include "platform/encoding.h"
#include "platform/system.h"

// databank.ini in the program's directory for one test: whatever was there before comes back
// when the object goes.
class CatalogueFile {
public:
    CatalogueFile() : path_(JoinPath(ProgramDirectory(), "databank.ini"))
    {
        if (std::filesystem::exists(path_)) {
            original_ = Read(path_);
        }
    }
    ~CatalogueFile()
    {
        if (original_) {
            WriteBytes(*original_);
        } else {
            Remove();
        }
    }
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
    void WriteBytes(const std::string& bytes) { std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes; }
    void Remove()
    {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }

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
    std::optional<std::string> original_;
};
