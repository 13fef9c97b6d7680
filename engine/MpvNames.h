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
inline constexpr char OptBackground[] = "background"; // also set while running
inline constexpr char OptVideoTimingOffset[] = "video-timing-offset";
inline constexpr char OptSubAuto[] = "sub-auto";
// The chosen tracks are the file's own: the next file picks its defaults.
inline constexpr char OptResetOnNextFile[] = "reset-on-next-file";
inline constexpr char ResetTracks[] = "aid,sid";
inline constexpr char OptAudioPitchCorrection[] = "audio-pitch-correction";
inline constexpr char OptScreenshotFormat[] = "screenshot-format";
inline constexpr char ScreenshotPng[] = "png";
inline constexpr char OptYtdl[] = "ytdl";
// A local file never makes the engine open anything else: no playlist, edit
// list, archive or reference is followed, and FFmpeg opens no protocol but
// files (an SDP description would open sockets).
inline constexpr char OptAccessReferences[] = "access-references";
inline constexpr char OptDemuxerLavfOptions[] = "demuxer-lavf-o";
inline constexpr char LavfFilesOnly[] = "protocol_whitelist=file";
inline constexpr char OptLoadScripts[] = "load-scripts";
inline constexpr char OptLoadStatsOverlay[] = "load-stats-overlay";
inline constexpr char OptLoadOsdConsole[] = "load-osd-console";
inline constexpr char OptLoadAutoProfiles[] = "load-auto-profiles";
inline constexpr char OptInputDefaultBindings[] = "input-default-bindings";
inline constexpr char Yes[] = "yes";
inline constexpr char No[] = "no";

// Properties set while running.
inline constexpr char PropPause[] = "pause";
inline constexpr char PropMute[] = "mute";
inline constexpr char PropVolume[] = "volume";
inline constexpr char PropKeepAspect[] = "keepaspect";
inline constexpr char FileHrSeekDemuxerOffset[] = "file-local-options/hr-seek-demuxer-offset";
inline constexpr char PropAudioTrack[] = "aid";
inline constexpr char PropSubtitleTrack[] = "sid";
// Off while a text track is chosen (the player shows its text), on for
// picture-based ones, which only the engine can draw. Also set at start.
inline constexpr char PropSubtitleVisibility[] = "sub-visibility";
inline constexpr char PropSpeed[] = "speed"; // also observed
inline constexpr char PropAspectOverride[] = "video-aspect-override";
inline constexpr char AspectOfFile[] = "-1"; // "no" and 0 would mean square pixels

// Properties observed or read.
inline constexpr char PropTimePos[] = "time-pos";
inline constexpr char PropDuration[] = "duration";
inline constexpr char PropEofReached[] = "eof-reached";
inline constexpr char PropDisplayWidth[] = "dwidth";
inline constexpr char PropDisplayHeight[] = "dheight";
// The picture as shown, aspect applied; its fields "dw" and "dh" change together.
inline constexpr char PropVideoOutParams[] = "video-out-params";
inline constexpr char ParamDisplayWidth[] = "dw";
inline constexpr char ParamDisplayHeight[] = "dh";
inline constexpr char PropContainerFps[] = "container-fps";
inline constexpr char PropEstimatedFps[] = "estimated-vf-fps";
inline constexpr char PropIdleActive[] = "idle-active";
inline constexpr char PropFileFormat[] = "file-format";
inline constexpr char FileFormatMpegPs[] = "mpeg"; // an MPEG program stream
inline constexpr char PropHwdecCurrent[] = "hwdec-current";
inline constexpr char PropFrameDropCount[] = "frame-drop-count";
inline constexpr char PropDecoderFrameDropCount[] = "decoder-frame-drop-count";
inline constexpr char PropTrackList[] = "track-list";
inline constexpr char PropSubtitleText[] = "sub-text";
// The container's title tag; "media-title" would fall back to the file name.
inline constexpr char PropTitle[] = "metadata/by-key/title";

// Fields of a track-list entry, and the values of its type.
inline constexpr char TrackId[] = "id";
inline constexpr char TrackType[] = "type";
inline constexpr char TrackAudio[] = "audio";
inline constexpr char TrackSubtitle[] = "sub";
inline constexpr char TrackLanguage[] = "lang";
inline constexpr char TrackTitle[] = "title";
inline constexpr char TrackCodec[] = "codec";
inline constexpr char TrackChannels[] = "demux-channel-count";
inline constexpr char TrackSelected[] = "selected";
// The subtitle codecs the engine decodes to pictures; every other one is
// text. (A track's "image" field marks cover art, not these.)
inline constexpr const char *PictureSubtitleCodecs[] = {"dvd_subtitle", "hdmv_pgs_subtitle", "dvb_subtitle",
                                                        "dvb_teletext", "xsub"};

// Commands and their arguments.
inline constexpr char CmdLoadFile[] = "loadfile";
inline constexpr char LoadReplace[] = "replace";
inline constexpr char CmdStop[] = "stop";
inline constexpr char CmdSeek[] = "seek";
inline constexpr char SeekAbsoluteExact[] = "absolute+exact";
inline constexpr char CmdScreenshotToFile[] = "screenshot-to-file";
inline constexpr char ScreenshotVideo[] = "video"; // the picture alone, at its own size
inline constexpr char CmdShowText[] = "show-text";
inline constexpr char ShowTextMilliseconds[] = "1000";

// Software renderer pixels as QImage::Format_ARGB32 lays them out in memory,
// alpha included: the padding byte of "bgr0" is left 0, which windows with an
// alpha channel (Wayland, grabs) would show as transparent. Into an opaque
// (RGB32) window, whose fourth byte nobody reads, "bgr0" costs less: the
// engine makes and packs no alpha plane.
inline constexpr char SwFormatBgra[] = "bgra";
inline constexpr char SwFormatBgr0[] = "bgr0";

} // namespace qr::mpv
