#pragma once

#include <QString>
#include <QStringList>

class SettingsStore;

/// The base addresses of earlier on-line runs, kept as "BaseHRef" (the last one) and
/// "BaseHRef1", "BaseHRef2", ... (the drop-down list, numbered without gaps). Loading
/// moves the list out of the store; the dialog's closing writes it back, so the store
/// always holds the list as the dialog last left it.
struct BaseHRefHistory {
    QString current;
    QStringList entries;

    static constexpr const char* NoAddress = "http://";

    /// Takes the list out of the store and adds the current address when it is a real
    /// one not yet listed (letter case ignored).
    static BaseHRefHistory Load(SettingsStore& store);

    enum class Closed { Ok, Cancelled };
    /// After OK, empty and "http://" entries are left out; after Cancel every entry stays.
    void Save(SettingsStore& store, Closed how) const;
};

/// The address as the dialog keeps it: blanks and control characters cut off both ends
/// and a "/" appended ("" and "http://" stay as they are).
QString NormalizedBaseHRef(const QString& text);

/// Whether a base address is set: neither empty nor "http://" alone.
bool HasBaseHRef(const QString& baseHRef);
