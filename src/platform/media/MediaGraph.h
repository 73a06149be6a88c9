#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "platform/input/InputSource.h"
#include "platform/media/MediaClock.h"
#include "platform/media/MediaFile.h"
#include "platform/media/MediaWorker.h"
#include "platform/media/PictureConverter.h"

namespace platform {

class AudioEngine;
class AudioStream;

enum class MediaState { Stopped, Paused, Running };

// What a play range's stop becomes when positions are set.
enum class MediaStop { Keep, ToEnd, At };

// The game-area rectangle a graph's pictures are drawn into.
struct MediaOutputRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// One open media file as a playable graph: its state, positions in 100 ns units,
// the gain of its sound, its queue of events with the window told of them, and its
// video output on the display's layer of its type. All calls come from the game
// thread; decoding runs on the graph's worker from the first run on.
class MediaGraph {
public:
    static constexpr std::int32_t kLowestVolume = -10000;
    // The layer of a graph that plays sound only: its pictures are decoded for their
    // times and never shown.
    static constexpr int kNoLayer = -1;

    // The sound plays through engine, an open one shared with the graph's owner;
    // without one it is read and dropped, and the platform clock times the pictures.
    MediaGraph(int layer, std::shared_ptr<AudioEngine> engine);
    ~MediaGraph();
    MediaGraph(const MediaGraph&) = delete;
    MediaGraph& operator=(const MediaGraph&) = delete;

    // S_OK, E_FILE_NOT_FOUND or E_FAIL as MediaFile::open.
    std::int32_t renderFile(const std::string& path);
    bool hasVideo() const { return hasVideo_; }
    bool hasAudio() const { return hasAudio_; }
    void videoSize(int& width, int& height) const;

    // The video output.
    bool visible() const { return shown_; }
    void setVisible(bool shown) { shown_ = shown; }
    // A null owner detaches the output, which also hides it.
    void setOwner(WindowHandle owner);
    WindowHandle owner() const { return owner_; }
    // E_INVALIDARG for a side above MediaFile::kLargestSide.
    std::int32_t setWindowPosition(int x, int y, int width, int height);
    MediaOutputRect windowPosition() const { return rect_; }
    bool fullScreen() const { return fullScreen_; }
    void setFullScreen(bool on) { fullScreen_ = on; }
    WindowHandle messageDrain() const { return drain_; }
    void setMessageDrain(WindowHandle drain) { drain_ = drain; }
    void setNotifyWindow(WindowHandle window, std::uint32_t message);
    WindowHandle notifyWindow() const { return notifyWindow_; }
    std::uint32_t notifyMessage() const { return notifyMessage_; }

    // Control: the state changes at once. run fails only when playback cannot start.
    std::int32_t run();
    void pause();
    void stop();
    MediaState state() const { return state_; }

    // Seeking. current, when given, is clamped to the file's length.
    std::int32_t setPositions(const std::int64_t* current, MediaStop stopMode,
                              std::int64_t stop = 0);
    void getPositions(std::int64_t& current, std::int64_t& stop) const;
    std::int32_t getDuration(std::int64_t& duration) const;

    // The sound's gain in hundredths of a decibel, read back exactly as set.
    void putVolume(std::int32_t volume);
    std::int32_t volume() const { return volume_; }

    // S_OK with the oldest queued event, E_ABORT when the queue is empty.
    std::int32_t getEvent(std::int32_t& code);
    void queueEvent(std::int32_t code) { events_.push_back(code); }

    // The per-pass work on the game thread at the platform clock's time now: starts
    // the output of a graph that was run once its first picture is decoded, presents
    // the picture due, and at the end queues EC_COMPLETE and posts the notification
    // message once through post.
    template <class Post>
    void pump(std::uint32_t now, Post&& post) {
        if (advance(now)) post(notifyWindow_, notifyMessage_);
    }

    // Milliseconds from now until the next queued picture is due on the movie's clock
    // (at least 1); none while no output runs or no picture waits.
    std::optional<std::uint32_t> msToNextPicture(std::uint32_t now);

private:
    // The pump's work; true when the end was reached at this pass.
    bool advance(std::uint32_t now);
    bool startOutput(std::uint32_t now);
    bool waitForDecoder();
    bool reachedEnd() const;
    void presentDue();
    void syncLayer();
    // Output and sound stop; what was decoded ahead is dropped, so output resumes
    // from the position.
    void haltOutput();
    MediaPictureSize pictureSize() const;

    MediaFile file_;
    std::shared_ptr<AudioEngine> engine_;
    std::shared_ptr<AudioStream> stream_;
    std::unique_ptr<MediaWorker> worker_;
    MediaClock clock_;
    // Pictures are converted on the game thread, when shown, with a scaler of its own.
    PictureConverter converter_;
    int layer_ = 0;
    bool hasVideo_ = false;
    bool hasAudio_ = false;
    int videoWidth_ = 0;
    int videoHeight_ = 0;
    std::optional<std::int64_t> duration_;
    bool outputStarted_ = false;
    // The output reached the stop position and holds there while running.
    bool heldAtStop_ = false;
    bool endQueued_ = false;
    bool layerShown_ = false;
    bool presentedAny_ = false;
    MediaState state_ = MediaState::Stopped;
    std::int64_t position_ = 0;
    bool stopSet_ = false;
    std::int64_t stop_ = 0;
    std::int32_t volume_ = 0;
    std::deque<std::int32_t> events_;
    bool shown_ = false;
    WindowHandle owner_ = nullptr;
    MediaOutputRect rect_;
    bool fullScreen_ = false;
    WindowHandle drain_ = nullptr;
    WindowHandle notifyWindow_ = nullptr;
    std::uint32_t notifyMessage_ = 0;
};

}  // namespace platform
