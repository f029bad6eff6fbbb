#pragma once

#include "engine/RunOptions.h"

#include <optional>
#include <string>
#include <vector>

/// The command line of tarvik-cli: each option stands for a control of the options
/// dialog or a menu setting of the desktop program.
struct CliOptions {
    std::string folder = ".";
    std::string startingFile;
    std::vector<std::string> files;
    DialogChoices choices;
    WindowSettings settings;
    bool answerNoToNonHtml = false;
    bool quiet = false;
    std::string reportFile;
    std::string jsonFile;
    std::string headersFile;
    std::string junitFile;
    std::string sarifFile;
    /// Seconds a network request may take; 0 for no limit.
    int timeout = 30;
    ProbePolicy probes;
    std::string htmlFile;
    /// References matching one of these are listed as not checked.
    std::vector<std::string> exclusions;
    bool html5 = false;
    bool help = false;
    bool version = false;
};

/// The parsed options, or nothing with `error` set to a message for standard error.
std::optional<CliOptions> ParseCommandLine(const std::vector<std::string>& args, std::string& error);

std::string UsageText();

/// The base address as the options dialog keeps it: blanks and control characters cut
/// off both ends and a "/" appended ("http://" alone stays, meaning none).
std::string NormalizedBaseHRef(std::string base);
