#include "components/DefaultProgramStart.h"

#include "components/AddressText.h"
#include "platform/DesktopExec.h"
#include "platform/ProgramStart.h"

StartResult StartDefaultProgram(DefaultProgram program, std::string_view address, const XdgFolders& folders)
{
    std::optional<std::vector<std::string>> command = DefaultPrograms::Command(program, folders);
    if (!command)
        return StartResult::NotFound;
    AddressText::DashForm dashForm = program == DefaultProgram::Browser ? AddressText::DashForm::LocalPath
                                                                        : AddressText::DashForm::Refused;
    std::optional<std::string> argument = AddressText::AsArgument(std::string(address), dashForm);
    if (!argument)
        return StartResult::Refused;
    return StartProgram(DesktopExec::Expand(*command, *argument)) ? StartResult::Started
                                                                  : StartResult::NotStarted;
}
