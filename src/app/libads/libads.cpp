// The advertisement library the program calls as its window closes. This one shows nothing: it
// answers with the number in SONEXA_ADS_RESULT (0 when unset, which lets the close go on) and
// appends "<name> <address>" to the file named by SONEXA_ADS_LOG, so tests can see the calls.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtGlobal>

extern "C" Q_DECL_EXPORT int libads_show(void *owner, const char16_t *name, const char16_t *url)
{
    Q_UNUSED(owner)
    const QByteArray logPath = qgetenv("SONEXA_ADS_LOG");
    if (!logPath.isEmpty()) {
        QFile log(QString::fromLocal8Bit(logPath));
        if (log.open(QIODevice::Append))
            log.write(QString::fromUtf16(name).toUtf8() + ' ' + QString::fromUtf16(url).toUtf8() +
                      '\n');
    }
    bool ok = false;
    const int result = qEnvironmentVariableIntValue("SONEXA_ADS_RESULT", &ok);
    return ok ? result : 0;
}
