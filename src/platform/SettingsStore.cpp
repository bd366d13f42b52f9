#include "platform/SettingsStore.h"

#include "platform/Log.h"

#include <QStringDecoder>
#include <QtEndian>

SettingsStore::SettingsStore(const QString &organisation, const QString &application)
    : settings(QSettings::IniFormat, QSettings::UserScope, organisation, application)
{
    // Only this user's own file counts: neither the organisation's file nor a system-wide one
    // may supply a value.
    settings.setFallbacksEnabled(false);
}

std::optional<QByteArray> SettingsStore::readBinary(const QString &name) const
{
    return read(name, Kind::Binary);
}

std::optional<quint32> SettingsStore::readNumber(const QString &name) const
{
    const std::optional<QByteArray> payload = read(name, Kind::Number);
    if (!payload || payload->size() != sizeof(quint32))
        return std::nullopt;
    return qFromLittleEndian<quint32>(payload->constData());
}

std::optional<QString> SettingsStore::readText(const QString &name) const
{
    const std::optional<QByteArray> payload = read(name, Kind::Text);
    if (!payload)
        return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(*payload);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

bool SettingsStore::writeBinary(const QString &name, const QByteArray &value)
{
    return write(name, Kind::Binary, value);
}

bool SettingsStore::writeNumber(const QString &name, quint32 value)
{
    QByteArray payload(sizeof(quint32), Qt::Uninitialized);
    qToLittleEndian(value, payload.data());
    return write(name, Kind::Number, payload);
}

bool SettingsStore::writeText(const QString &name, const QString &value)
{
    return write(name, Kind::Text, value.toUtf8());
}

void SettingsStore::sync()
{
    settings.sync();
}

QString SettingsStore::fileName() const
{
    return settings.fileName();
}

std::optional<QByteArray> SettingsStore::read(const QString &name, Kind kind) const
{
    const QVariant value = settings.value(name);
    // A hand-written line reads as a string; only our own values are byte arrays.
    if (value.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    const QByteArray bytes = value.toByteArray();
    if (bytes.isEmpty() || bytes.front() != static_cast<char>(kind))
        return std::nullopt;
    return bytes.sliced(1);
}

bool SettingsStore::write(const QString &name, Kind kind, const QByteArray &payload)
{
    settings.setValue(name, QByteArray(1, static_cast<char>(kind)) + payload);
    settings.sync();
    // A file that could not be parsed when it was read is still rewritten; only a failed write
    // loses the value.
    if (settings.status() != QSettings::AccessError)
        return true;
    qCDebug(lcSonexa) << "Could not write the settings file" << settings.fileName();
    return false;
}
