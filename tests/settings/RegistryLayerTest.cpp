#include "StoreDump.h"

#include "desktop/MessageBox.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsKeys.h"
#include "settings/registry.h"
#include "tests/support/TempStore.h"

#include <QFile>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

using qr::RegistryStore;

namespace {

const QString kKey = qr::SettingsKey;

class RegistryLayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        qr::SetMessageBoxHandler([this](const qr::MessageBoxRequest &r) { boxes.push_back(r); });
    }
    void TearDown() override { qr::SetMessageBoxHandler({}); }

    qr::test::TempStore store;
    std::vector<qr::MessageBoxRequest> boxes;
};

// Malformed paths get the format box; they and unknown roots never reach the store.
TEST_F(RegistryLayer, ParsesPathsAndCallsTheStoreOnlyForKnownRoots)
{
    const struct {
        QString path;
        bool ok;
        std::uint32_t root;
        QString sub;
    } cases[] = {
        {"HKEY_LOCAL_MACHINE", true, 0x80000002u, ""},
        {"HKEY_LOCAL_MACHINE\\Software\\Tarvell", true, 0x80000002u, "Software\\Tarvell"},
        {"HKEY_CLASSES_ROOT\\*.dat", true, 0x80000000u, "*.dat"},
        {"HKEY_FOO\\Software", true, 0, "Software"},
        {"HKEY_Local_Machine\\Software", true, 0, "Software"}, // root names are case-sensitive
        {"hkey_local_machine\\Software", false, 0, ""},
        {"HKEY_LOCAL_MACHINE\\Software\\", false, 0, ""},
        {"", false, 0, ""},
        {"Software\\HKEY_", false, 0, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        boxes.clear();
        QString path = c.path;
        std::uint32_t root = 12345;
        EXPECT_EQ(qr::ParseKeyPath(path, root), c.ok);
        if (c.ok) {
            EXPECT_EQ(root, c.root);
            EXPECT_EQ(path, c.sub);
            EXPECT_TRUE(boxes.empty());
        } else {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, "Incorrect Format:\n\n" + c.path);
            EXPECT_EQ(boxes[0].title, "QuilvaneRyn");
            EXPECT_EQ(boxes[0].icon, qr::MessageBoxRequest::NoIcon);
        }
        if (c.root == 0) {
            EXPECT_EQ(qr::ReadValue(c.path, "Splash"), std::nullopt);
            qr::CreateKey(c.path);
            qr::WriteValue(c.path, "Splash", "yes");
            EXPECT_FALSE(qr::RegValueIs(c.path, "Splash", "yes"));
            EXPECT_TRUE(qr::RegValueIs(c.path, "Splash", ""));
        }
    }
    EXPECT_FALSE(QFile::exists(store.path())) << "no store call may have been made";
}

TEST_F(RegistryLayer, SwitchTests)
{
    const struct {
        std::optional<QString> stored;
        QString expected;
        bool result;
    } cases[] = {
        {"yes", "yes", true},     {"yesterday", "yes", true},
        {"Yes", "yes", false},    {"ye", "yes", false},
        {"no", "no", true},       {"", "yes", false},
        {"", "", true},           {std::nullopt, "yes", false},
        {std::nullopt, "", true}, // absent reads "Error", which begins with ""
    };
    qr::CreateKey(kKey);
    for (const auto &c : cases) {
        SCOPED_TRACE((c.stored.value_or("(absent)") + " / " + c.expected).toStdString());
        if (c.stored)
            qr::WriteValue(kKey, "Switch", *c.stored);
        const QString name = c.stored ? "Switch" : "Absent";
        EXPECT_EQ(qr::RegValueIs(kKey, name, c.expected), c.result);
    }
    EXPECT_EQ(qr::ReadValue(kKey, "Absent"), QString("Error"));
    EXPECT_EQ(qr::Registry().RegStatus, RegistryStore::kNotFound);
}

TEST_F(RegistryLayer, ReadsBackExactlyWhatWasWrittenUpTo254Bytes)
{
    const std::pair<QString, bool> cases[] = {
        {"", true},
        {"  blanks, tab\tand \"quotes\" and \\  ", true},
        {QString(254, 'a'), true},
        {QString(255, 'a'), false},
        {QString(127, QChar(0xE4)), true},  // 254 UTF-8 bytes
        {QString(128, QChar(0xE4)), false}, // 256 UTF-8 bytes
    };
    qr::CreateKey(kKey);
    for (const auto &[text, fits] : cases) {
        SCOPED_TRACE(text.toStdString());
        qr::WriteValue(kKey, "Value", text);
        EXPECT_EQ(qr::Registry().RegStatus, 0) << "writes take any length";
        EXPECT_EQ(qr::ReadValue(kKey, "Value"), fits ? text : QString("Error"));
    }

    std::uint32_t h = 0; // a value stored without any data at all reads empty
    ASSERT_EQ(RegistryStore::OpenKey(RegistryStore::kLocalMachine, "Software\\Tarvell\\Quilvane\\Ryn",
                                     RegistryStore::kKeyWrite, h),
              0);
    ASSERT_EQ(RegistryStore::SetValue(h, "Empty", RegistryStore::kRegNone, nullptr, 0), 0);
    RegistryStore::CloseKey(h);
    EXPECT_EQ(qr::ReadValue(kKey, "Empty"), QString(""));
}

TEST_F(RegistryLayer, WritesNeedAnExistingKeyAndNamesMatchWhateverTheirCase)
{
    qr::WriteValue(kKey, qr::kSplash, "no");
    EXPECT_EQ(qr::ReadValue(kKey, qr::kSplash), QString("Error"));
    EXPECT_EQ(qr::test::DumpStore().size(), 7u) << "only the roots";
    qr::WriteValue("HKEY_CURRENT_USER", "x", "1");
    EXPECT_EQ(qr::ReadValue("HKEY_CURRENT_USER", "x"), QString("1")) << "a root always exists";

    qr::CreateKey(kKey);
    qr::CreateKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\TARVELL\\Other");
    qr::WriteValue("HKEY_LOCAL_MACHINE\\software\\tarvell\\quilvane\\RYN", "Splash", "yes");
    qr::WriteValue(kKey, "SPLASH", "no");
    EXPECT_EQ(qr::ReadValue(kKey, "splash"), QString("no"));
    const auto dump = qr::test::DumpStore();
    EXPECT_EQ(dump.count("HKEY_LOCAL_MACHINE\\Software\\Tarvell\\Quilvane\\Ryn|Splash"), 1u);
    EXPECT_EQ(dump.count("HKEY_LOCAL_MACHINE\\Software\\Tarvell\\Other"), 1u);
    EXPECT_EQ(dump.size(), 14u); // seven roots, five keys, two values
}

} // namespace
