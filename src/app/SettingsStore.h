#pragma once

#include <QSettings>
#include <QString>
#include <memory>
#include <optional>

/// The per-user settings: named values of three types (string, integer, and flag, stored
/// as 0 or 1 and read as true when non-zero) in an INI file under the XDG config folder.
/// Every write is synced at once, as each setting is written at the moment it changes;
/// the file is replaced whole, never left half-written. A damaged or unreadable file
/// counts as empty, with one message on standard error. Owned by the main window.
class SettingsStore {
public:
    /// The user's own store (organisation "Orbane", application "Tarvik").
    SettingsStore();
    /// A store in the given file (tests, or a second profile).
    explicit SettingsStore(const QString& fileName);

    bool Contains(const QString& name) const;
    std::optional<QString> String(const QString& name) const;
    std::optional<int> Integer(const QString& name) const;
    std::optional<bool> Flag(const QString& name) const;

    void WriteString(const QString& name, const QString& value);
    void WriteInteger(const QString& name, int value);
    void WriteFlag(const QString& name, bool value);
    void Remove(const QString& name);

private:
    void CheckReadable();
    void Sync();

    std::unique_ptr<QSettings> m_settings;
};
