#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

namespace qr::test {

// Points the player's key store at a fresh file in a temporary folder for
// the lifetime of the object.
class TempStore {
public:
    TempStore() { qputenv("QUILVANE_RYN_REGISTRY", path().toUtf8()); }
    ~TempStore()
    {
        if (m_old.isEmpty())
            qunsetenv("QUILVANE_RYN_REGISTRY");
        else
            qputenv("QUILVANE_RYN_REGISTRY", m_old);
    }
    TempStore(const TempStore &) = delete;
    TempStore &operator=(const TempStore &) = delete;

    QString path() const { return m_dir.filePath(QStringLiteral("registry.db")); }
    QString dir() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_old = qgetenv("QUILVANE_RYN_REGISTRY");
};

} // namespace qr::test
