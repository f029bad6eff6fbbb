#include "support/Process.h"

#include "support/ChildProcess.h"

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& workingFolder)
{
    return ChildProcess(argv, workingFolder).Wait();
}
