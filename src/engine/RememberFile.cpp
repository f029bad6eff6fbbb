#include "engine/RememberFile.h"

#include "platform/AtomicFile.h"

#include <fstream>
#include <sstream>

RememberFile::RememberFile(std::string path, RunHost& host)
    : m_path(std::move(path))
    , m_host(host)
{
    std::ifstream in(m_path, std::ios::binary);
    if (!in)
        return;
    std::ostringstream text;
    text << in.rdbuf();
    if (!m_results.Read(text.str()))
        m_host.ShowMessage("'" + m_path
            + "' does not hold remembered results: it is not used, and is replaced at the end of the run.");
}

void RememberFile::Save()
{
    std::string error = WriteFileAtomically(m_path, m_results.Text());
    if (!error.empty())
        m_host.ShowMessage(error);
}
