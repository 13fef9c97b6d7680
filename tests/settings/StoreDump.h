#pragma once

#include "settings/Registry.h"
#include "settings/RegistryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

#include <map>
#include <string>

namespace qr::test {

inline const QString kRyn = QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Tarvell\\Quilvane\\Ryn");

// Ryn holds Splash=no and QV_RL=10; HKEY_CURRENT_USER\Other holds a=1.
inline void FillStore()
{
    ASSERT_FALSE(createKey(kRyn) || writeValues(kRyn, {{"Splash", "no"}, {"QV_RL", "10"}}) ||
                 createKey("HKEY_CURRENT_USER\\Other") || writeValue("HKEY_CURRENT_USER\\Other", "a", "1"));
}

// Everything stored: "PATH" -> "" per key, "PATH|NAME" -> data per value; {"!"} for an unreadable store.
inline std::map<std::string, std::string> DumpStore()
{
    std::map<std::string, std::string> out;
    for (std::uint32_t r = RegistryStore::kClassesRoot; !RegistryStore::RootName(r).empty(); ++r) {
        std::uint32_t h = 0;
        std::vector<RegistryStore::KeyRecord> keys;
        if (RegistryStore::OpenKey(r, "", RegistryStore::kKeyRead, h) != RegistryStore::kSuccess)
            return {{"!", "unreadable"}};
        const std::int32_t read = RegistryStore::Snapshot(h, keys);
        RegistryStore::CloseKey(h);
        if (read != RegistryStore::kSuccess)
            return {{"!", "unreadable"}};
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

// Makes the file's folder too.
inline void WriteFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
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

// The real quilvane-ryn-reg on the current store, run through `asUser` (setpriv and its arguments) if given.
inline ToolRun RunTool(const QStringList &args, const QStringList &asUser = {})
{
    QStringList command = asUser + QStringList{qEnvironmentVariable("QR_REG_TOOL")} + args;
    QProcess p;
    p.start(command.takeFirst(), command);
    EXPECT_TRUE(p.waitForFinished(60000)) << "tool did not finish";
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

} // namespace qr::test
