#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>

#include <optional>

// A per-user store of named values, kept in an INI file in the user's config folder
// (organisation/application.ini). INI keeps only text, so every value is stored as bytes that
// begin with a one-byte kind tag; a value of another kind, a malformed value or one written by
// hand reads as absent, never as a wrong value.
class SettingsStore {
    Q_DISABLE_COPY_MOVE(SettingsStore)

public:
    // A store named by the organisation alone is organisation.ini.
    explicit SettingsStore(const QString &organisation, const QString &application = QString());

    std::optional<QByteArray> readBinary(const QString &name) const;
    std::optional<quint32> readNumber(const QString &name) const;
    std::optional<QString> readText(const QString &name) const;

    // Each write reaches the file before it returns, so another process sees it at once;
    // false when the file could not be written.
    bool writeBinary(const QString &name, const QByteArray &value);
    bool writeNumber(const QString &name, quint32 value);
    bool writeText(const QString &name, const QString &value);

    // Picks up what other processes wrote since this store read the file.
    void sync();
    QString fileName() const;

private:
    // The registry's value type numbers, so a stored value says what it was written as.
    enum class Kind : char { Text = 1, Binary = 3, Number = 4 };

    std::optional<QByteArray> read(const QString &name, Kind kind) const;
    bool write(const QString &name, Kind kind, const QByteArray &payload);

    QSettings settings;
};
