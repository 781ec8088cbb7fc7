// The way back the operation log in the program's folder gives for a command.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/system.h"

// The undo field ("撤销：…") of the latest record of the command; empty when that record has none,
// "no record" when there is none.
inline std::string RecordedUndo(const std::string& command)
{
    std::ifstream log(std::filesystem::path(ProgramDirectory()) / "操作记录.txt", std::ios::binary);
    std::string undo = "no record";
    for (std::string line; std::getline(log, line);) {
        if (std::size_t at = line.find(" | " + command + " | "); at != std::string::npos) {
            std::size_t start = line.find("撤销：", at);
            undo = start == std::string::npos ? "" : line.substr(start, line.find(" | ", start) - start);
        }
    }
    return undo;
}
