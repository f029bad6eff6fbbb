#include "cli/JsonSave.h"

#include "cli/JsonResults.h"
#include "platform/AtomicFile.h"

#include <stdexcept>

JsonSave::JsonSave(std::string path, const RunModels& models, const RunState& state)
    : m_path(std::move(path))
    , m_models(models)
    , m_state(state)
{
}

JsonSave::~JsonSave()
{
    if (!m_thread.joinable())
        return;
    m_end.set_exception(std::make_exception_ptr(std::runtime_error("the run ended without an outcome")));
    m_thread.join();
}

void JsonSave::Begin()
{
    if (SavedInPlace(m_path))
        return;
    m_thread = std::thread([this, end = m_end.get_future()]() mutable {
        try {
            m_error = WriteFileAtomically(m_path, [&](const TextSink& sink) {
                WriteResultRows(sink, m_models.LinkGrid, m_models.ImgGrid, m_state.Places);
                sink(end.get());
            });
        } catch (const std::exception& e) {
            m_error = "Cannot write " + m_path + ": " + e.what();
        }
    });
}

void JsonSave::Finish(const RunOutcome& outcome)
{
    if (!m_thread.joinable())
        return;
    m_end.set_value(ResultsJsonEnd(outcome));
    m_thread.join();
    m_made = true;
}
