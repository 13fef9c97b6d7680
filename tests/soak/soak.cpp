// quilvane-ryn-soak MINUTES REPEAT_CLIP OPEN_DIR
//
// The player as it runs (its composition root, the libmpv engine and the real
// windows, a temporary store), driven through the session's open road from
// timers: the first 150 files of OPEN_DIR opened to warm up, then REPEAT_CLIP
// playing on repeat for MINUTES, then every file of OPEN_DIR opened in a row,
// each as soon as the one before is open, by the open dialog's road and the
// drop road in turn. Resident memory and open file descriptors are sampled
// every 10 s and printed as a table. Exit status 0 when, after the first
// minute and the warm-up, neither grew by more than 5 %, every file opened
// and the clip kept playing; 1 otherwise.
#include "app/PlayerApp.h"
#include "desktop/QtDesktop.h"
#include "engine/MpvMediaControl.h"
#include "settings/PlayerSettings.h"
#include "settings/RegistryStore.h"
#include "skins/Skin.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>

namespace qr {
namespace {

constexpr int kSampleMs = 10000;
constexpr qint64 kWarmUpMs = 60000;
constexpr double kAllowedGrowth = 1.05;
constexpr int kOpenTimeoutMs = 15000;
constexpr int kWarmUpOpens = 150;

struct Sample {
    qint64 ms = 0;
    qint64 rssKb = 0;
    qint64 fds = 0;
    QString phase;
    int loops = 0;
    int opens = 0;
};

qint64 residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

// Less the one the listing itself holds open.
qint64 openDescriptors()
{
    std::error_code error;
    const auto entries = std::filesystem::directory_iterator("/proc/self/fd", error);
    return error ? -1 : std::distance(begin(entries), end(entries)) - 1;
}

QString clock(qint64 ms)
{
    const qint64 s = ms / 1000;
    return QStringLiteral("%1:%2").arg(s / 60, 2, 10, QLatin1Char('0')).arg(s % 60, 2, 10, QLatin1Char('0'));
}

class Soak : public QObject {
public:
    Soak(PlayerApp &player, MediaControl &media, qint64 repeatMs, QString repeatClip, QStringList files)
        : m_session(player.session()), m_repeatMs(repeatMs), m_repeatClip(std::move(repeatClip)),
          m_files(std::move(files))
    {
        connect(&media, &MediaControl::streamOpened, this, &Soak::onOpened);
        connect(&media, &MediaControl::endOfMedia, this, [this] { ++m_loops; });
        // The player's boxes wait for a click nobody gives: each is noted and closed.
        connect(&m_boxWatch, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                m_problems << box->windowTitle() + QStringLiteral(": ") +
                                  box->text().section(QLatin1Char('\r'), 0, 0);
                box->done(QMessageBox::Ok);
            }
        });
        m_openTimeout.setSingleShot(true);
        m_openTimeout.setInterval(kOpenTimeoutMs);
        connect(&m_openTimeout, &QTimer::timeout, this, [this] {
            m_problems << QStringLiteral("not open after %1 s: %2").arg(kOpenTimeoutMs / 1000).arg(m_opening);
            openNext();
        });
        connect(&m_sampler, &QTimer::timeout, this, &Soak::sample);
    }

    void start()
    {
        m_clock.start();
        m_sampler.start(kSampleMs);
        m_boxWatch.start(500);
        std::printf("%7s %9s %5s %-8s %6s %6s\n", "time", "RSS kB", "fds", "phase", "loops", "opens");
        // Opening and closing settles after some hundred files (the
        // allocator's pools, the decoders' threads): that is not growth.
        m_queue = m_files.mid(0, kWarmUpOpens);
        m_phase = QStringLiteral("warm-up");
        openNext();
    }

private:
    void open(const QString &path)
    {
        m_opening = path;
        m_openTimeout.start();
        if (m_useDrop)
            m_session.openDroppedFiles({path});
        else
            m_session.openFile(path);
        m_useDrop = !m_useDrop;
    }

    void onOpened()
    {
        if (m_opening.isEmpty())
            return; // a repeat
        m_openTimeout.stop();
        m_opening.clear();
        if (m_phase == QLatin1String("opens"))
            ++m_opens;
        // A moment of playing before the next, on the loop rather than inside
        // the engine's notification.
        QTimer::singleShot(100, this, &Soak::openNext);
    }

    void openNext()
    {
        if (!m_queue.isEmpty()) {
            open(m_queue.takeFirst());
            return;
        }
        if (m_phase == QLatin1String("warm-up")) {
            m_phase = QStringLiteral("repeat");
            m_warmUpEndMs = m_clock.elapsed();
            open(m_repeatClip);
            QTimer::singleShot(m_repeatMs, this, [this] {
                m_loopsExpected = int(m_repeatMs / 2000);
                m_repeatLoops = m_loops;
                m_phase = QStringLiteral("opens");
                m_queue = m_files;
                openNext();
            });
            return;
        }
        if (m_phase == QLatin1String("opens"))
            finish();
    }

    void sample()
    {
        Sample s{m_clock.elapsed(), residentKb(), openDescriptors(), m_phase, m_loops, m_opens};
        m_samples << s;
        std::printf("%7s %9lld %5lld %-8s %6d %6d\n", qPrintable(clock(s.ms)), s.rssKb, s.fds,
                    qPrintable(s.phase), s.loops, s.opens);
        std::fflush(stdout);
    }

    void finish()
    {
        sample();
        m_sampler.stop();
        const auto baseline = std::find_if(m_samples.cbegin(), m_samples.cend(), [this](const Sample &s) {
            return s.ms >= kWarmUpMs && s.ms >= m_warmUpEndMs;
        });
        bool ok = m_problems.isEmpty();
        if (baseline == m_samples.cend()) {
            std::printf("too short: no sample after the first minute and the warm-up\n");
            ok = false;
        } else {
            qint64 maxRss = 0, maxFds = 0;
            for (auto s = baseline; s != m_samples.cend(); ++s) {
                maxRss = std::max(maxRss, s->rssKb);
                maxFds = std::max(maxFds, s->fds);
            }
            const double allowedFds = std::ceil(double(baseline->fds) * kAllowedGrowth);
            std::printf("after %s: RSS %lld kB, at most %lld kB later (%+.1f %%, %+.0f %% allowed)\n",
                        qPrintable(clock(baseline->ms)), baseline->rssKb, maxRss,
                        100.0 * (double(maxRss) / double(baseline->rssKb) - 1.0),
                        100.0 * (kAllowedGrowth - 1.0));
            // Whole descriptors: with ten or so open, one more is the file
            // being opened as the sample was taken.
            std::printf(
                "after %s: %lld descriptors, at most %lld later (%.0f allowed: %+.0f %% rounded up)\n",
                qPrintable(clock(baseline->ms)), baseline->fds, maxFds, allowedFds,
                100.0 * (kAllowedGrowth - 1.0));
            ok = ok && double(maxRss) <= double(baseline->rssKb) * kAllowedGrowth &&
                 double(maxFds) <= allowedFds;
        }
        std::printf("clip played %d times in %s (a 2 s clip: about %d); %d of %lld files opened\n",
                    m_repeatLoops, qPrintable(clock(m_repeatMs)), m_loopsExpected, m_opens,
                    qlonglong(m_files.size()));
        // Three in four loops at least: an engine that stalls plays far fewer.
        if (m_repeatLoops < m_loopsExpected * 3 / 4 || m_opens != m_files.size())
            ok = false;
        for (const QString &problem : m_problems)
            std::printf("problem: %s\n", qPrintable(problem));
        std::printf("%s\n", ok ? "soak passed" : "soak FAILED");
        std::fflush(stdout);
        m_session.quit();
        QCoreApplication::exit(ok ? 0 : 1);
    }

    Session &m_session;
    const qint64 m_repeatMs;
    const QString m_repeatClip;
    const QStringList m_files;
    QElapsedTimer m_clock;
    QTimer m_sampler;
    QTimer m_openTimeout;
    QTimer m_boxWatch;
    QStringList m_queue;
    QString m_phase;
    QString m_opening;
    bool m_useDrop = false;
    qint64 m_warmUpEndMs = 0;
    int m_loops = 0;
    int m_repeatLoops = 0;
    int m_loopsExpected = 0;
    int m_opens = 0;
    QList<Sample> m_samples;
    QStringList m_problems;
};

} // namespace
} // namespace qr

int main(int argc, char **argv)
{
    qr::MpvMediaControl::prepareApplication();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setQuitOnLastWindowClosed(false);
    const QStringList args = app.arguments();
    bool minutesOk = false;
    const double minutes = args.value(1).toDouble(&minutesOk);
    QStringList files;
    const QDir dir(args.value(3));
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
        files << dir.filePath(name);
    if (args.size() != 4 || !minutesOk || minutes <= 0 || !QFileInfo(args[2]).isFile() || files.isEmpty()) {
        std::fputs("usage: quilvane-ryn-soak MINUTES REPEAT_CLIP OPEN_DIR\n", stderr);
        return 2;
    }

    // A store of its own: no splash, files play as they open, and repeat is
    // remembered, so every file plays on repeat.
    QTemporaryDir storeDir;
    qputenv("QUILVANE_RYN_REGISTRY", storeDir.filePath(QStringLiteral("registry.db")).toUtf8());
    qr::RegistryStore::SetBusyTimeout(qr::RegistryStore::kPlayerBusyTimeoutMs);
    using Settings = qr::PlayerSettings;
    if (qr::createKey(Settings::Key) ||
        qr::writeValues(Settings::Key, {{Settings::Splash, QStringLiteral("no")},
                                        {Settings::Autostart, QStringLiteral("yes")},
                                        {Settings::RememberPlayer, QStringLiteral("yes")},
                                        {Settings::RememberedRepeat, QStringLiteral("yes")}})) {
        std::fputs("quilvane-ryn-soak: cannot write the temporary store\n", stderr);
        return 2;
    }

    qr::MpvMediaControl media(qr::videoBackground());
    qr::QtDesktop desktop;
    qr::PlayerApp player(media, desktop, {});
    player.start();
    qr::Soak soak(player, media, qint64(minutes * 60000), args[2], files);
    QTimer::singleShot(0, &soak, &qr::Soak::start);
    return app.exec();
}
