#include "settings/Registry.h"

#include "settings/RegistryStore.h"

#include <QByteArray>

namespace qr {

namespace {

// What every read hands to the store: 254 bytes and the terminating zero.
constexpr std::uint32_t kReadBufferSize = 255;

std::string utf8(const QString &text) { return text.toUtf8().toStdString(); }

RegistryError fromStore(std::int32_t status)
{
    switch (status) {
    case RegistryStore::kNotFound:
    case RegistryStore::kKeyDeleted:
        return RegistryError::NotFound;
    case RegistryStore::kAccessDenied:
        return RegistryError::AccessDenied;
    case RegistryStore::kBusy:
        return RegistryError::Busy;
    case RegistryStore::kBadDb:
        return RegistryError::Damaged;
    case RegistryStore::kMoreData:
        return RegistryError::ValueTooLong;
    default:
        return RegistryError::Failed;
    }
}

RegistryStatus statusOf(std::int32_t status)
{
    return status == RegistryStore::kSuccess ? RegistryStatus() : RegistryStatus(fromStore(status));
}

// Opens the key of a full path; the caller closes it.
RegistryResult<std::uint32_t> openKey(const QString &keyPath, std::uint32_t access)
{
    const RegistryResult<KeyPath> path = parseKeyPath(keyPath);
    if (!path)
        return path.error();
    std::uint32_t handle = 0;
    const std::int32_t status = RegistryStore::OpenKey(path->root, utf8(path->subKey), access, handle);
    if (status != RegistryStore::kSuccess)
        return fromStore(status);
    return handle;
}

} // namespace

RegistryResult<KeyPath> parseKeyPath(const QString &path)
{
    const RegistryStore::KeyPathParse parsed = RegistryStore::ParseKeyPath(utf8(path));
    switch (parsed.status) {
    case RegistryStore::KeyPathParse::Status::Malformed:
        return RegistryError::MalformedPath;
    case RegistryStore::KeyPathParse::Status::UnknownRoot:
        return RegistryError::UnknownRoot;
    case RegistryStore::KeyPathParse::Status::Ok:
        break;
    }
    return KeyPath{parsed.root, QString::fromStdString(parsed.subKey)};
}

QString malformedPathMessage(const QString &path) { return QStringLiteral("Incorrect Format:\n\n") + path; }

RegistryResult<QString> readValue(const QString &keyPath, const QString &valueName)
{
    const RegistryResult<std::uint32_t> key = openKey(keyPath, RegistryStore::kKeyRead);
    if (!key)
        return key.error();
    QByteArray buffer(kReadBufferSize, '\0');
    std::uint32_t size = kReadBufferSize;
    std::uint32_t type = RegistryStore::kRegSz;
    const std::int32_t query = RegistryStore::QueryValue(*key, utf8(valueName), &type, buffer.data(), &size);
    RegistryStore::CloseKey(*key);
    if (query != RegistryStore::kSuccess)
        return fromStore(query);
    // The reported size counts one terminating zero; a size of 0 (a value
    // stored without any data) is the empty text.
    return QString::fromUtf8(buffer.constData(), qsizetype(size > 0 ? size - 1 : 0));
}

RegistryStatus createKey(const QString &keyPath)
{
    const RegistryResult<KeyPath> path = parseKeyPath(keyPath);
    if (!path)
        return path.error();
    std::uint32_t handle = 0;
    const std::int32_t status = RegistryStore::CreateKey(path->root, utf8(path->subKey), handle);
    if (status == RegistryStore::kSuccess)
        RegistryStore::CloseKey(handle);
    return statusOf(status);
}

RegistryStatus writeValue(const QString &keyPath, const QString &valueName, const QString &text)
{
    return writeValues(keyPath, {{valueName, text}});
}

RegistryStatus writeValues(const QString &keyPath, const QList<QPair<QString, QString>> &values)
{
    const RegistryResult<KeyPath> path = parseKeyPath(keyPath);
    if (!path)
        return path.error();
    std::vector<std::pair<std::string, std::string>> data;
    for (const auto &[name, text] : values)
        data.emplace_back(utf8(name), text.toUtf8().toStdString());
    return statusOf(RegistryStore::WriteValues(path->root, utf8(path->subKey), data));
}

RegistryResult<NamedValues> readValues(const QString &keyPath)
{
    const RegistryResult<std::uint32_t> key = openKey(keyPath, RegistryStore::kKeyRead);
    if (!key)
        return key.error();
    std::vector<RegistryStore::Value> stored;
    const std::int32_t status = RegistryStore::ListValues(*key, stored);
    RegistryStore::CloseKey(*key);
    if (status != RegistryStore::kSuccess)
        return fromStore(status);
    NamedValues values;
    for (const RegistryStore::Value &value : stored)
        if (value.type == RegistryStore::kRegSz)
            values.append({QString::fromStdString(value.name), QString::fromStdString(value.data)});
    return values;
}

RegistryStatus writeKeys(const QList<KeyWrite> &writes)
{
    using Change = RegistryStore::Change;
    std::vector<Change> changes;
    for (const KeyWrite &write : writes) {
        const RegistryResult<KeyPath> path = parseKeyPath(write.keyPath);
        if (!path)
            return path.error();
        const std::string subKey = utf8(path->subKey);
        if (write.whole) {
            changes.push_back({Change::Kind::DeleteKey, path->root, subKey, {}});
            changes.push_back({Change::Kind::CreateKey, path->root, subKey, {}});
        }
        for (const auto &[name, text] : write.values)
            changes.push_back({Change::Kind::SetValue,
                               path->root,
                               subKey,
                               {utf8(name), RegistryStore::kRegSz, utf8(text)}});
    }
    return statusOf(RegistryStore::ApplyChanges(changes));
}

bool valueStartsWith(const QString &keyPath, const QString &valueName, const QString &expected)
{
    const RegistryResult<QString> value = readValue(keyPath, valueName);
    return value ? value->startsWith(expected) : expected.isEmpty();
}

} // namespace qr
