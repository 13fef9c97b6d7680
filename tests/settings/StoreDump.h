#pragma once

#include "settings/RegistryStore.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

namespace qr::test {

// Everything stored: "PATH" -> "" per key, "PATH|NAME" -> data per value; "!" for an unreadable root.
inline std::map<std::string, std::string> DumpStore()
{
    std::map<std::string, std::string> out;
    for (std::uint32_t r = RegistryStore::kClassesRoot; !RegistryStore::RootName(r).empty(); ++r) {
        std::uint32_t h = 0;
        std::vector<RegistryStore::KeyRecord> keys;
        if (RegistryStore::OpenKey(r, "", RegistryStore::kKeyRead, h) != RegistryStore::kSuccess) {
            out["!"] = "unreadable";
            continue;
        }
        RegistryStore::Snapshot(h, keys);
        RegistryStore::CloseKey(h);
        for (const auto &k : keys) {
            const std::string path =
                std::string(RegistryStore::RootName(r)) + (k.path.empty() ? "" : "\\" + k.path);
            out[path] = "";
            for (const auto &v : k.values)
                out[path + "|" + v.name] = v.data;
        }
    }
    return out;
}

inline void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size())
        << path.toStdString();
}

inline QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

struct ToolRun {
    int exit = -1;
    QByteArray out, err;
};

// Runs the real quilvane-ryn-reg against the current store, through `asUser`
// (a command such as setpriv with its arguments) when given.
inline ToolRun RunTool(const QStringList &args, const QStringList &asUser = {})
{
    QStringList command = asUser + QStringList{QString::fromLocal8Bit(std::getenv("QR_REG_TOOL"))} + args;
    QProcess p;
    p.start(command.takeFirst(), command);
    EXPECT_TRUE(p.waitForFinished(60000)) << "tool did not finish";
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

} // namespace qr::test
