#include "report/RunLabels.h"

void RunLabels::Set(std::string& field, std::string text, Label label)
{
    field = std::move(text);
    if (m_observer)
        m_observer(*this, label);
}

void RunLabels::SetGauge(Gauge gauge)
{
    m_gauge = gauge;
    if (m_observer)
        m_observer(*this, Label::Progress);
}

void RunLabels::AdvanceGauge(long by)
{
    Gauge g = m_gauge;
    g.position += by;
    SetGauge(g);
}
