#pragma once

#include <string>
#include <vector>

/// Starts a program detached from ours, from an argument vector and never through a
/// shell: the first element is the program, found on PATH when it holds no "/". Its
/// standard input reads nothing. Returns false when it could not be started.
bool StartProgram(const std::vector<std::string>& arguments);
