#pragma once
// The sound files of an offline render, through libsndfile: the input is read as interleaved
// stereo (a mono file feeds both sides); the output goes to a hidden temporary file beside its
// final path and only takes that name once complete, so a failed render never leaves half a file.
// Every failure comes back as one message naming the file, the reason and what to do.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

typedef struct sf_private_tag SNDFILE;

class SoundFileReader {
public:
    SoundFileReader() = default;
    ~SoundFileReader();
    SoundFileReader(const SoundFileReader&) = delete;
    SoundFileReader& operator=(const SoundFileReader&) = delete;

    // Fails for a file that cannot be opened, is empty, is not audio, holds no frames, has more
    // than two channels or ends before its header says it does.
    bool Open(const std::string& path, std::string* error);
    int SampleRate() const { return sampleRate_; }
    std::int64_t Frames() const { return frames_; }
    int Channels() const { return channels_; }
    int Format() const { return format_; }
    const std::string& Path() const { return path_; }

    // Reads up to `frames` frames into `stereo` (2 * frames floats); returns the number read, 0 at
    // the end. A short read before the end is an error (-1).
    std::int64_t ReadStereo(float* stereo, std::size_t frames, std::string* error);

private:
    std::string path_;
    SNDFILE* file_ = nullptr;
    int sampleRate_ = 0, channels_ = 0, format_ = 0;
    std::int64_t frames_ = 0, read_ = 0;
    std::vector<float> mono_;
};

class SoundFileWriter {
public:
    SoundFileWriter() = default;
    ~SoundFileWriter();  // discards an uncommitted file
    SoundFileWriter(const SoundFileWriter&) = delete;
    SoundFileWriter& operator=(const SoundFileWriter&) = delete;

    // The container comes from the path's extension (any libsndfile writes: .wav, .flac, .aiff,
    // .ogg, ...); the sample format is the input's when the container takes it.
    bool Open(const std::string& path, int sampleRate, int inputFormat, std::string* error);
    bool WriteStereo(const float* stereo, std::size_t frames, std::string* error);
    // Completes the file and gives it its name.
    bool Commit(std::string* error);

private:
    void Discard();

    std::string path_, temporary_;
    SNDFILE* file_ = nullptr;
};

// The extensions libsndfile can write, for messages: ".wav .aiff .flac ...".
std::string WritableExtensions();
