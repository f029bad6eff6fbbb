#include "support/ReportText.h"

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

std::string FixturesFolder()
{
    const char* folder = std::getenv("TARVIK_FIXTURES");
    return folder ? folder : "tests/fixtures";
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string WithoutTimes(const std::string& text)
{
    static const std::regex total("Total Response Time: [0-9.]+ secs\\.");
    static const std::regex secs("\"secs\": \"[^\"]*\"");
    return std::regex_replace(std::regex_replace(text, total, "Total Response Time: T secs."), secs, "\"secs\": \"S\"");
}
