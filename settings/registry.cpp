#include "settings/registry.h"

#include "desktop/MessageBox.h"
#include "settings/RegistryStore.h"

#include <QByteArray>

namespace qr {

namespace {

// The buffer every read hands to the store.
constexpr std::uint32_t kReadBufferSize = 255;

std::string Utf8(const QString &text)
{
    return text.toUtf8().toStdString();
}

} // namespace

RegistryState &Registry()
{
    static RegistryState state;
    return state;
}

std::uint32_t HiveFromName(const QString &name)
{
    return RegistryStore::RootHandle(Utf8(name));
}

bool ParseKeyPath(QString &path, std::uint32_t &root)
{
    RegistryState &st = Registry();
    const qsizetype slash = path.indexOf(QLatin1Char('\\'));
    st.RegStatus = std::int32_t(slash + 1);
    if (!path.startsWith(QLatin1String("HKEY_")) || path.endsWith(QLatin1Char('\\'))) {
        root = 0;
        ShowMessage(QStringLiteral("Incorrect Format:") + QStringLiteral("\n\n") + path, AppTitle,
                    MessageBoxRequest::NoIcon);
        return false;
    }
    if (slash >= 0) {
        root = HiveFromName(path.left(slash));
        path = path.mid(slash + 1);
    } else {
        root = HiveFromName(path);
        path.clear();
    }
    st.RegRootHive = root;
    return true;
}

std::optional<QString> ReadValue(const QString &keyPath, const QString &valueName)
{
    RegistryState &st = Registry();
    QString sub = keyPath;
    std::uint32_t root = 0;
    if (!ParseKeyPath(sub, root) || root == 0)
        return std::nullopt;

    st.RegStatus = RegistryStore::OpenKey(root, Utf8(sub), RegistryStore::kKeyRead, st.RegKeyHandle);
    if (st.RegStatus != RegistryStore::kSuccess)
        return QStringLiteral("Error");

    QByteArray buffer(kReadBufferSize, ' ');
    st.RegValueLength = kReadBufferSize;
    std::uint32_t type = RegistryStore::kRegSz;
    const std::int32_t query =
        RegistryStore::QueryValue(st.RegKeyHandle, Utf8(valueName), &type, buffer.data(), &st.RegValueLength);
    st.RegStatus = query;
    const std::int32_t close = RegistryStore::CloseKey(st.RegKeyHandle);
    if (query != RegistryStore::kSuccess)
        return QStringLiteral("Error");
    st.RegStatus = close;

    // The reported size counts one terminating zero. Taking exactly that many
    // bytes, untrimmed, gives back what WriteValue stored, leading blanks
    // included; a size of 0 (no zero counted) is the empty text.
    st.RegValueBuffer = QString::fromUtf8(buffer);
    if (st.RegValueLength > 0)
        --st.RegValueLength;
    return QString::fromUtf8(buffer.constData(), qsizetype(st.RegValueLength));
}

void CreateKey(const QString &keyPath)
{
    RegistryState &st = Registry();
    QString sub = keyPath;
    std::uint32_t root = 0;
    if (!ParseKeyPath(sub, root) || root == 0)
        return;
    st.RegStatus = RegistryStore::CreateKey(root, Utf8(sub), st.RegKeyHandle);
    if (st.RegStatus == RegistryStore::kSuccess)
        st.RegStatus = RegistryStore::CloseKey(st.RegKeyHandle);
}

void WriteValue(const QString &keyPath, const QString &valueName, const QString &text)
{
    RegistryState &st = Registry();
    QString sub = keyPath;
    std::uint32_t root = 0;
    if (!ParseKeyPath(sub, root) || root == 0)
        return;
    st.RegStatus = RegistryStore::OpenKey(root, Utf8(sub), RegistryStore::kKeyWrite, st.RegKeyHandle);
    if (st.RegStatus != RegistryStore::kSuccess)
        return;
    // Sizes are UTF-8 bytes, without a terminating zero.
    const QByteArray data = text.toUtf8();
    st.RegStatus = RegistryStore::SetValue(st.RegKeyHandle, Utf8(valueName), RegistryStore::kRegSz,
                                           data.constData(), std::uint32_t(data.size()));
    st.RegStatus = RegistryStore::CloseKey(st.RegKeyHandle);
}

bool RegValueIs(const QString &keyPath, const QString &valueName, const QString &expected)
{
    const QString r = ReadValue(keyPath, valueName).value_or(QString());
    return r.left(expected.size()) == expected;
}

} // namespace qr
