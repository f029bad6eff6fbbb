#include "app/SettingsStore.h"

#include <cstdio>

SettingsStore::SettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Orbane", "Tarvik"))
{
    CheckReadable();
}

SettingsStore::SettingsStore(const QString& fileName)
    : m_settings(std::make_unique<QSettings>(fileName, QSettings::IniFormat))
{
    CheckReadable();
}

void SettingsStore::CheckReadable()
{
    if (m_settings->status() == QSettings::NoError)
        return;
    std::fprintf(stderr, "tarvik: the settings file %s cannot be read; the defaults are used\n",
        qPrintable(m_settings->fileName()));
    // What a damaged file did yield is not trusted; the next write replaces the file whole.
    m_settings->clear();
}

bool SettingsStore::Contains(const QString& name) const
{
    return m_settings->contains(name);
}

std::optional<QString> SettingsStore::String(const QString& name) const
{
    if (!Contains(name))
        return std::nullopt;
    return m_settings->value(name).toString();
}

std::optional<int> SettingsStore::Integer(const QString& name) const
{
    if (!Contains(name))
        return std::nullopt;
    bool ok = false;
    int value = m_settings->value(name).toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<bool> SettingsStore::Flag(const QString& name) const
{
    std::optional<int> value = Integer(name);
    if (!value)
        return std::nullopt;
    return *value != 0;
}

void SettingsStore::WriteString(const QString& name, const QString& value)
{
    m_settings->setValue(name, value);
    Sync();
}

void SettingsStore::WriteInteger(const QString& name, int value)
{
    m_settings->setValue(name, value);
    Sync();
}

void SettingsStore::WriteFlag(const QString& name, bool value)
{
    WriteInteger(name, value ? 1 : 0);
}

void SettingsStore::Remove(const QString& name)
{
    m_settings->remove(name);
    Sync();
}

void SettingsStore::Sync()
{
    m_settings->sync();
}
