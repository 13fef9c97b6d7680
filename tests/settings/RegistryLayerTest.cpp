#include "StoreDump.h"

#include "settings/PlayerSettings.h"
#include "settings/Registry.h"
#include "settings/RegistryStore.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempStore.h"

#include <QFile>
#include <gtest/gtest.h>

#include <optional>

using qr::RegistryError;
using qr::RegistryStore;

namespace {

const QString kKey = qr::PlayerSettings::Key;

TEST(RegistryLayer, ParsesPathsAndReachesTheStoreOnlyForKnownRoots)
{
    qr::test::TempStore store;
    const struct {
        QString path;
        std::optional<RegistryError> error;
        std::uint32_t root;
        QString sub;
    } cases[] = {
        {"HKEY_LOCAL_MACHINE", std::nullopt, RegistryStore::kLocalMachine, ""},
        {"HKEY_LOCAL_MACHINE\\Software\\Tarvell", std::nullopt, RegistryStore::kLocalMachine,
         "Software\\Tarvell"},
        {"HKEY_FOO\\Software", RegistryError::UnknownRoot, 0, ""},
        {"hkey_local_machine\\Software", RegistryError::MalformedPath, 0, ""},
        {"", RegistryError::MalformedPath, 0, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const auto parsed = qr::parseKeyPath(c.path);
        ASSERT_EQ(parsed.ok(), !c.error);
        if (c.error) {
            EXPECT_EQ(parsed.error(), *c.error);
            EXPECT_EQ(qr::readValue(c.path, "Splash").error(), *c.error);
            EXPECT_EQ(qr::createKey(c.path), *c.error);
            EXPECT_EQ(qr::writeValue(c.path, "Splash", "yes"), *c.error);
            EXPECT_FALSE(qr::valueStartsWith(c.path, "Splash", "yes"));
        } else {
            EXPECT_EQ(parsed->root, c.root);
            EXPECT_EQ(parsed->subKey, c.sub);
        }
    }
    EXPECT_EQ(qr::malformedPathMessage("x\\"), "Incorrect Format:\n\nx\\");
    EXPECT_FALSE(QFile::exists(store.path())) << "only reads were made of a good path";
}

TEST(RegistryLayer, SwitchTestsBeginWithTheExpectedText)
{
    qr::test::TempStore store;
    const struct {
        std::optional<QString> stored;
        QString expected;
        bool result;
    } cases[] = {
        {"yes", "yes", true},         {"yesterday", "yes", true},  {"Yes", "yes", false},
        {"ye", "yes", false},         {"no", "no", true},          {"", "yes", false},
        {std::nullopt, "yes", false}, {std::nullopt, "no", false}, {std::nullopt, "", true},
    };
    qr::createKey(kKey);
    for (const auto &c : cases) {
        SCOPED_TRACE((c.stored.value_or("(absent)") + " / " + c.expected).toStdString());
        if (c.stored)
            qr::writeValue(kKey, "Switch", *c.stored);
        EXPECT_EQ(qr::valueStartsWith(kKey, c.stored ? "Switch" : "Absent", c.expected), c.result);
    }
    EXPECT_EQ(qr::readValue(kKey, "Absent").error(), RegistryError::NotFound);
}

TEST(RegistryLayer, ReadsBackExactlyWhatWasWrittenUpTo254Bytes)
{
    qr::test::TempStore store;
    const std::pair<QString, bool> cases[] = {
        {"", true},
        {"  blanks, tab\tand \"quotes\" and \\  ", true},
        {QString(254, 'a'), true},
        {QString(255, 'a'), false},
        {QString(127, QChar(0xE4)), true},  // 254 UTF-8 bytes
        {QString(128, QChar(0xE4)), false}, // 256 UTF-8 bytes
    };
    qr::createKey(kKey);
    for (const auto &[text, fits] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(qr::writeValue(kKey, "Value", text), std::nullopt) << "writes take any length";
        const auto read = qr::readValue(kKey, "Value");
        if (fits)
            EXPECT_EQ(read.valueOr("?"), text);
        else
            EXPECT_EQ(read.error(), RegistryError::ValueTooLong);
    }

    std::uint32_t h = 0; // a value stored without any data at all reads empty
    ASSERT_EQ(RegistryStore::OpenKey(RegistryStore::kLocalMachine, "Software\\Tarvell\\Quilvane\\Ryn",
                                     RegistryStore::kKeyWrite, h),
              0);
    ASSERT_EQ(RegistryStore::SetValue(h, "Empty", RegistryStore::kRegNone, nullptr, 0), 0);
    RegistryStore::CloseKey(h);
    EXPECT_EQ(qr::readValue(kKey, "Empty").valueOr("?"), "");
}

TEST(RegistryLayer, WritesNeedAnExistingKeyAndNamesMatchWhateverTheirCase)
{
    qr::test::TempStore store;
    EXPECT_EQ(qr::writeValue(kKey, "Splash", "no"), RegistryError::NotFound);
    EXPECT_EQ(qr::test::DumpStore().size(), 7u) << "only the roots";
    EXPECT_EQ(qr::writeValue("HKEY_CURRENT_USER", "x", "1"), std::nullopt) << "a root always exists";

    qr::createKey(kKey);
    qr::createKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\TARVELL\\Other");
    qr::writeValue("HKEY_LOCAL_MACHINE\\software\\tarvell\\quilvane\\RYN", "Splash", "yes");
    qr::writeValue(kKey, "SPLASH", "no");
    EXPECT_EQ(qr::readValue(kKey, "splash").valueOr("?"), "no");
    const auto dump = qr::test::DumpStore();
    EXPECT_EQ(dump.count("HKEY_LOCAL_MACHINE\\Software\\Tarvell\\Quilvane\\Ryn|Splash"), 1u);
    EXPECT_EQ(dump.count("HKEY_LOCAL_MACHINE\\Software\\Tarvell\\Other"), 1u);
    EXPECT_EQ(dump.size(), 14u); // seven roots, five keys, two values
}

} // namespace
