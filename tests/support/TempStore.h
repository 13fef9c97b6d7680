#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

namespace qr::test {

// Points the player's key store at a fresh file in a temporary folder for
// the lifetime of the object.
class TempStore {
public:
    TempStore() : m_path(m_dir.filePath(QStringLiteral("registry.db")))
    {
        m_old = qgetenv("QUILVANE_RYN_REGISTRY");
        qputenv("QUILVANE_RYN_REGISTRY", m_path.toUtf8());
    }
    ~TempStore()
    {
        if (m_old.isEmpty())
            qunsetenv("QUILVANE_RYN_REGISTRY");
        else
            qputenv("QUILVANE_RYN_REGISTRY", m_old);
    }
    TempStore(const TempStore &) = delete;
    TempStore &operator=(const TempStore &) = delete;

    QString path() const { return m_path; }
    QString dir() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_path;
    QByteArray m_old;
};

} // namespace qr::test
