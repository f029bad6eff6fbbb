#include "app/BaseHRefHistory.h"

#include "app/SettingsStore.h"

namespace {

QString HistoryName(int n)
{
    return "BaseHRef" + QString::number(n);
}

}

BaseHRefHistory BaseHRefHistory::Load(SettingsStore& store)
{
    BaseHRefHistory history;
    history.current = store.String("BaseHRef").value_or(NoAddress);
    for (int n = 1;; ++n) {
        std::optional<QString> entry = store.String(HistoryName(n));
        if (!entry)
            break;
        history.entries.append(*entry);
        store.Remove(HistoryName(n));
    }
    if (history.current != NoAddress && !history.entries.contains(history.current, Qt::CaseInsensitive))
        history.entries.append(history.current);
    return history;
}

void BaseHRefHistory::Save(SettingsStore& store, Closed how) const
{
    store.WriteString("BaseHRef", current);
    int n = 0;
    for (const QString& entry : entries) {
        if (how == Closed::Ok && (entry.isEmpty() || entry == NoAddress))
            continue;
        store.WriteString(HistoryName(++n), entry);
    }
}

QString NormalizedBaseHRef(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start].unicode() <= ' ')
        ++start;
    while (end > start && text[end - 1].unicode() <= ' ')
        --end;
    QString base = text.mid(start, end - start);
    if (!base.isEmpty() && base != BaseHRefHistory::NoAddress && !base.endsWith('/'))
        base += '/';
    return base;
}

bool HasBaseHRef(const QString& baseHRef)
{
    return !baseHRef.isEmpty() && baseHRef != BaseHRefHistory::NoAddress;
}
