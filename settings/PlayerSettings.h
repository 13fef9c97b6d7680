#pragma once

#include "settings/Registry.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace qr {

// Every value the player keeps, named once. They all live as texts in one
// key of the store: a switch is "yes" or "no" (on = begins with "yes"; an
// absent value is neither), a number is its decimal text. Only the options
// dialog creates the key, so on a fresh store every switch reads off, the
// splash shows, and nothing the player writes elsewhere is kept.
class PlayerSettings {
public:
    static inline const QString Key = QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Tarvell\\Quilvane\\Ryn");

    // The value names, exactly as stored.
    // Switches of the options dialog, and "useSubs", which only the tool sets.
    static inline const QString Splash = QStringLiteral("Splash");
    static inline const QString Registext = QStringLiteral("Registext");
    static inline const QString Windowpos = QStringLiteral("Windowpos");
    static inline const QString Autostart = QStringLiteral("Autostart");
    static inline const QString Ontop = QStringLiteral("Ontop");
    static inline const QString RememberPlayer = QStringLiteral("RememberPlayer");
    static inline const QString ScrollTitle = QStringLiteral("ScrollTitle");
    static inline const QString UseSubs = QStringLiteral("useSubs");
    // Window positions in twips, saved at quit.
    static inline const QString PanelLeft = QStringLiteral("QV_RL");
    static inline const QString PanelTop = QStringLiteral("QV_RT");
    static inline const QString VideoLeft = QStringLiteral("QV_VL");
    static inline const QString VideoTop = QStringLiteral("QV_VT");
    // The player state, saved at quit and applied when a file opens.
    static inline const QString RememberedMute = QStringLiteral("RMP_Mute");
    static inline const QString RememberedRepeat = QStringLiteral("RMP_Repeat");
    static inline const QString RememberedZoomStrip = QStringLiteral("RMP_PBView");
    // 0..100 %, as a whole decimal number.
    static inline const QString RememberedVolume = QStringLiteral("RMP_Volume");
    // The zoom strip's choice; written, never read.
    static inline const QString ZoomChoice = QStringLiteral("RMP_PBView_ResIdx");
    // Files closed before their end start again where they were left.
    static inline const QString ResumePlayback = QStringLiteral("ResumePlayback");
    // Keys below Key: the files opened last, most recent first, one value
    // each ("1" = path); and where files were left ("1" = "size seconds
    // path"), the oldest first.
    static inline const QString RecentKey = Key + QStringLiteral("\\Recent");
    static inline const QString ResumeKey = Key + QStringLiteral("\\Resume");

    bool isOn(const QString &switchName) const; // begins with "yes"
    // Another program holds the store so that nothing can be read: a read
    // gave up after the store's lock wait.
    bool storeBusy() const;
    bool skipsSplash() const; // "Splash" begins with "no"

    // The eight switches of the options dialog. The splash one reads as on
    // unless the splash is skipped: an absent value shows the splash.
    struct Options {
        bool splash = false;
        bool registerExtensions = false;
        bool windowPositions = false;
        bool autostart = false;
        bool alwaysOnTop = false;
        bool rememberPlayer = false;
        bool scrollTitle = false;
        bool resume = false;
    };
    Options options() const;
    RegistryStatus createKey() const;

    // What a save wrote, or why none of it was saved.
    struct [[nodiscard]] Save {
        QStringList names;     // the values written, in the order written
        RegistryStatus status; // why none of them was saved
    };
    Save saveOptions(const Options &options) const;

    // Window positions in twips; a value that is missing or not a number is
    // no value.
    struct Positions {
        std::optional<double> panelLeft, panelTop, videoLeft, videoTop;
    };
    Positions positions() const;

    // The files opened last, most recent first; nothing where the store
    // holds none.
    static constexpr int MaxRecentFiles = 10;
    QStringList recentFiles() const;

    // Where a file (known by its path and size) was left; entries that are
    // not of this form are skipped.
    struct ResumePoint {
        QString path;
        qint64 size = 0;
        double seconds = 0;
        bool operator==(const ResumePoint &) const = default;
    };
    static constexpr int MaxResumePoints = 200;
    QList<ResumePoint> resumePoints() const;

    // The remembered volume; a value that is missing, not a whole number or
    // outside 0..100 is full volume.
    static constexpr int FullVolume = 100;
    int rememberedVolume() const;

    // What quit saves, in one transaction: the positions when "Windowpos" is
    // on, the player state when "RememberPlayer" is on. The zoom choice only
    // while the zoom strip is open. The recent files and the resume points
    // when given, their keys made when missing. A store held by another
    // program is tried
    // once more; each try waits at most the store's short lock wait, so quit
    // never hangs on it.
    struct QuitState {
        bool positionsKnown = true; // false where the desktop does not tell them
        double panelLeft = 0, panelTop = 0, videoLeft = 0, videoTop = 0;
        bool muted = false, repeat = false, zoomStrip = false;
        int zoomChoice = -1;
        int volume = FullVolume;
        std::optional<QStringList> recentFiles;
        std::optional<QList<ResumePoint>> resumePoints;
    };
    Save saveAtQuit(const QuitState &state) const;
    Save saveZoomChoice(int index) const;

    static QString yesNo(bool on);
};

} // namespace qr
