#pragma once

#include <string>
#include <vector>

/// Runs a program to its end without a shell, with standard input closed, and keeps what
/// it wrote.
struct ProcessResult {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& workingFolder = {});
