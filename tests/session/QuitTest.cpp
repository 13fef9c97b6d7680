// Quit while another program holds the store's write lock: one transaction,
// tried twice, each try waiting only the store's lock wait; what could not
// be saved is named.
#include "settings/RegistryStore.h"
#include "tests/support/SessionFixture.h"

#include <QProcess>
#include <QSignalSpy>

namespace qr::test {
namespace {

const QString kWriter = QString::fromLocal8Bit(qgetenv("QR_STORE_WRITER"));

// Wide enough for the lock to be let go of well inside the second try.
constexpr int kLockWaitMs = 1000;

struct LockWait {
    LockWait() { RegistryStore::SetBusyTimeout(kLockWaitMs); }
    ~LockWait() { RegistryStore::SetBusyTimeout(RegistryStore::kToolBusyTimeoutMs); }
};

class Quit : public SessionFixture {};

TEST_F(Quit, StoreHeldByAnotherProgram)
{
    const QString all = "QV_RT, QV_RL, QV_VT, QV_VL, RMP_Mute, RMP_Repeat, RMP_PBView, RMP_Volume";
    const struct {
        const char *what;
        QString keep; // Windowpos and RememberPlayer
        QStringList hold;
        QString report;
        QString panelLeft; // QV_RL afterwards; 15 before
    } cases[] = {
        {"held throughout", "yes", {"hold"}, "quilvane-ryn: the store is busy; not saved: " + all, "15"},
        // let go after the first try gave up, before the second does
        {"let go during the second try", "yes", {"hold", QString::number(kLockWaitMs * 3 / 2)}, "", "3000"},
        {"nothing to keep", "no", {"hold"}, "", "15"},
    };
    const LockWait wait;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TempStore fresh;
        setValue(PlayerSettings::Windowpos, c.keep);
        setValue(PlayerSettings::RememberPlayer, c.keep);
        setValue(PlayerSettings::PanelLeft, "15");
        remake().loadPanel(std::nullopt);
        session->setPanelPosition(QPoint(200, 96));

        QProcess holder;
        holder.start(kWriter, c.hold);
        ASSERT_TRUE(holder.waitForReadyRead(60000)) << holder.readAllStandardError().toStdString();
        ASSERT_EQ(holder.readAllStandardOutput(), "locked\n");
        QSignalSpy failed(session.get(), &Session::saveFailed);
        QSignalSpy finished(session.get(), &Session::finished);
        session->quit();
        holder.closeWriteChannel();
        EXPECT_TRUE(holder.waitForFinished(60000));

        EXPECT_EQ(finished.count(), 1);
        EXPECT_EQ(failed.isEmpty() ? QString() : failed.first().first().toString(), c.report);
        EXPECT_EQ(value(PlayerSettings::PanelLeft), c.panelLeft);
    }
}

} // namespace
} // namespace qr::test
