#pragma once

// Every name the player hands to the playback engine, defined once.
namespace qr::mpv {

// Options set before the engine starts.
inline constexpr char OptVideoOutput[] = "vo";
inline constexpr char VideoOutputLibmpv[] = "libmpv";
inline constexpr char OptHwdec[] = "hwdec";
inline constexpr char HwdecAutoSafe[] = "auto-safe";
inline constexpr char HwdecNo[] = "no";
inline constexpr char OptKeepOpen[] = "keep-open";
inline constexpr char OptAudioFallbackToNull[] = "audio-fallback-to-null";
inline constexpr char OptAudioClientName[] = "audio-client-name";
inline constexpr char OptBackground[] = "background";
inline constexpr char OptVideoTimingOffset[] = "video-timing-offset";
inline constexpr char OptSubAuto[] = "sub-auto";
inline constexpr char OptYtdl[] = "ytdl";
inline constexpr char OptLoadScripts[] = "load-scripts";
inline constexpr char OptLoadStatsOverlay[] = "load-stats-overlay";
inline constexpr char OptLoadOsdConsole[] = "load-osd-console";
inline constexpr char OptLoadAutoProfiles[] = "load-auto-profiles";
inline constexpr char OptInputDefaultBindings[] = "input-default-bindings";
inline constexpr char OptScriptOpts[] = "script-opts";
// The on-screen controller, once loaded: no idle logo, shown for as long as it
// is wanted (full screen with the controls switched on).
inline constexpr char OscScriptOpts[] = "osc-idlescreen=no,osc-visibility=always";
inline constexpr char Yes[] = "yes";
inline constexpr char No[] = "no";

// Properties set while running.
inline constexpr char PropPause[] = "pause";
inline constexpr char PropMute[] = "mute";
inline constexpr char PropVolume[] = "volume";
inline constexpr char PropKeepAspect[] = "keepaspect";
inline constexpr char FileHrSeekDemuxerOffset[] = "file-local-options/hr-seek-demuxer-offset";

// Properties observed or read.
inline constexpr char PropTimePos[] = "time-pos";
inline constexpr char PropDuration[] = "duration";
inline constexpr char PropEofReached[] = "eof-reached";
inline constexpr char PropDisplayWidth[] = "dwidth";
inline constexpr char PropDisplayHeight[] = "dheight";
inline constexpr char PropContainerFps[] = "container-fps";
inline constexpr char PropEstimatedFps[] = "estimated-vf-fps";
inline constexpr char PropIdleActive[] = "idle-active";
inline constexpr char PropFileFormat[] = "file-format";
inline constexpr char FileFormatMpegPs[] = "mpeg"; // an MPEG program stream
inline constexpr char PropHwdecCurrent[] = "hwdec-current";
inline constexpr char PropFrameDropCount[] = "frame-drop-count";
inline constexpr char PropDecoderFrameDropCount[] = "decoder-frame-drop-count";

// Commands and their arguments.
inline constexpr char CmdLoadFile[] = "loadfile";
inline constexpr char LoadReplace[] = "replace";
inline constexpr char CmdStop[] = "stop";
inline constexpr char CmdSeek[] = "seek";
inline constexpr char SeekAbsoluteExact[] = "absolute+exact";
inline constexpr char CmdLoadScript[] = "load-script";
inline constexpr char OscScript[] = "@osc.lua"; // the engine's built-in controller
inline constexpr char CmdScriptMessage[] = "script-message";
inline constexpr char OscVisibility[] = "osc-visibility";
inline constexpr char OscAlways[] = "always";
inline constexpr char OscNever[] = "never";
inline constexpr char OscQuiet[] = "no-osd";
inline constexpr char CmdMouse[] = "mouse";
inline constexpr char CmdKeyDown[] = "keydown";
inline constexpr char CmdKeyUp[] = "keyup";
inline constexpr char KeyMouseLeft[] = "MBTN_LEFT";
inline constexpr char KeyMouseRight[] = "MBTN_RIGHT";
inline constexpr char KeyMouseMiddle[] = "MBTN_MID";

// Software renderer pixels as QImage::Format_ARGB32 lays them out in memory,
// alpha included: the padding byte of "bgr0" is left 0, which windows with an
// alpha channel (Wayland, grabs) would show as transparent. Into an opaque
// (RGB32) window, whose fourth byte nobody reads, "bgr0" costs less: the
// engine makes and packs no alpha plane.
inline constexpr char SwFormatBgra[] = "bgra";
inline constexpr char SwFormatBgr0[] = "bgr0";

} // namespace qr::mpv
