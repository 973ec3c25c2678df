#include "host/app/SoundFile.h"

#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/kernel/AsciiCase.h"

namespace {

constexpr int kStereo = 2;
// Sample formats to fall back on, in order, when the output's container cannot hold the input's.
constexpr int kFallbackSubtypes[] = {SF_FORMAT_PCM_24, SF_FORMAT_PCM_16, SF_FORMAT_FLOAT, SF_FORMAT_VORBIS,
                                     SF_FORMAT_OPUS};
constexpr const char* kReadAdvice = "give a sound file in a format libsndfile reads (WAV, AIFF, FLAC, Ogg, ...)";

std::string Extension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    if (!ext.empty()) ext.erase(0, 1);
    return win::FoldCase(ext);
}

// libsndfile's messages as a clause: "System error : File too large." becomes "File too large".
std::string Reason(const char* text) {
    std::string reason = text ? text : "unknown error";
    if (reason.rfind("System error : ", 0) == 0) reason.erase(0, 15);
    while (!reason.empty() && (reason.back() == '.' || reason.back() == ' ')) reason.pop_back();
    return reason;
}

// libsndfile's own table of containers, so every one it writes is offered.
int MajorFormatFor(const std::string& extension) {
    if (extension.empty()) return 0;
    const std::string wanted = extension == "aif" ? "aiff" : extension == "ogg" ? "oga" : extension;
    int count = 0;
    sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
    for (int i = 0; i < count; ++i) {
        SF_FORMAT_INFO info{};
        info.format = i;
        if (sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof info) == 0 && info.extension &&
            win::FoldCase(info.extension) == wanted)
            return info.format;
    }
    return 0;
}

// libsndfile shortens a file whose data chunk claims more than the file holds, and says so only
// in its log, e.g. "data : 192000 (should be 95978)".
bool LogShowsShortData(SNDFILE* file) {
    char log[4096] = {};
    sf_command(file, SFC_GET_LOG_INFO, log, sizeof log);
    for (const char* line = log; line && *line;) {
        const char* end = std::strchr(line, '\n');
        const std::string text(line, end ? size_t(end - line) : std::strlen(line));
        if ((text.rfind("data", 0) == 0 || text.rfind("SSND", 0) == 0) && text.find("(should be") != std::string::npos)
            return true;
        line = end ? end + 1 : nullptr;
    }
    return false;
}

// A render ended by Ctrl-C or a kill leaves no hidden partial file behind either: while a writer
// holds one, these signals remove it and then take their default course. One writer at a time.
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};
std::atomic<const char*> pendingTemporary{nullptr};
struct sigaction previousActions[std::size(kEndingSignals)];

void RemovePendingTemporary(int signal) {
    if (const char* path = pendingTemporary.exchange(nullptr)) unlink(path);
    raise(signal);  // the handler was installed with SA_RESETHAND: this time the default action runs
}

void ArmSignalCleanup(const char* path) {
    pendingTemporary.store(path);
    struct sigaction action{};
    action.sa_handler = RemovePendingTemporary;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
        sigaction(kEndingSignals[i], nullptr, &previousActions[i]);
        // A signal the user chose to ignore (nohup) stays ignored.
        if (previousActions[i].sa_handler != SIG_IGN) sigaction(kEndingSignals[i], &action, nullptr);
    }
}

void DisarmSignalCleanup() {
    if (!pendingTemporary.exchange(nullptr)) return;
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) sigaction(kEndingSignals[i], &previousActions[i], nullptr);
}

}  // namespace

SoundFileReader::~SoundFileReader() {
    if (file_) sf_close(file_);
}

bool SoundFileReader::Open(const std::string& path, std::string* error) {
    path_ = path;
    auto fail = [&](const std::string& reason) {
        *error = "cannot read sound file " + path + ": " + reason;
        if (file_) sf_close(file_);
        file_ = nullptr;
        return false;
    };
    struct stat status{};
    if (stat(path.c_str(), &status) != 0) return fail(std::string(std::strerror(errno)) + "; " + kReadAdvice);
    if (!S_ISREG(status.st_mode)) return fail("not a regular file; " + std::string(kReadAdvice));
    if (status.st_size == 0) return fail("the file is empty; " + std::string(kReadAdvice));
    SF_INFO info{};
    file_ = sf_open(path.c_str(), SFM_READ, &info);
    if (!file_) return fail(Reason(sf_strerror(nullptr)) + "; " + kReadAdvice);
    if (LogShowsShortData(file_)) return fail("the file is truncated (it ends before its header says); give a complete file");
    if (info.frames <= 0) return fail("the file holds no audio frames; give a file with sound in it");
    if (info.samplerate < 1) return fail("the header gives no sample rate; give a file that plays elsewhere");
    if (info.channels < 1 || info.channels > kStereo)
        return fail(std::to_string(info.channels) + " channels; the equaliser takes mono or stereo, so mix it down first");
    sampleRate_ = info.samplerate;
    channels_ = info.channels;
    format_ = info.format;
    frames_ = info.frames;
    return true;
}

std::int64_t SoundFileReader::ReadStereo(float* stereo, std::size_t frames, std::string* error) {
    if (!file_ || read_ >= frames_) return 0;
    sf_count_t got;
    if (channels_ == kStereo) {
        got = sf_readf_float(file_, stereo, sf_count_t(frames));
    } else {
        if (mono_.size() < frames) mono_.resize(frames);
        got = sf_readf_float(file_, mono_.data(), sf_count_t(frames));
        for (sf_count_t i = 0; i < got; ++i) stereo[2 * i] = stereo[2 * i + 1] = mono_[size_t(i)];
    }
    read_ += got;
    if (got < sf_count_t(frames) && read_ < frames_) {
        const std::string reason = sf_error(file_) ? Reason(sf_strerror(file_)) : "the file ends early";
        *error = "cannot read sound file " + path_ + ": read failed after " + std::to_string(read_) + " of " +
                 std::to_string(frames_) + " frames (" + reason + "); give a complete, readable file";
        return -1;
    }
    return got;
}

SoundFileWriter::~SoundFileWriter() { Discard(); }

bool SoundFileWriter::Open(const std::string& path, int sampleRate, int inputFormat, std::string* error) {
    path_ = path;
    struct stat status{};
    if (stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        *error = "cannot write " + path + ": it exists and is not a regular file; name a file";
        return false;
    }
    const int major = MajorFormatFor(Extension(path));
    if (!major) {
        *error = "cannot write " + path + ": no sound file format has the extension '" + Extension(path) +
                 "'; end the name with one of " + WritableExtensions();
        return false;
    }
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = kStereo;
    info.format = major | (inputFormat & SF_FORMAT_SUBMASK);
    for (int i = 0; !sf_format_check(&info) && i < int(std::size(kFallbackSubtypes)); ++i)
        info.format = major | kFallbackSubtypes[i];
    if (!sf_format_check(&info)) {
        *error = "cannot write " + path + ": libsndfile cannot write this container at " + std::to_string(sampleRate) +
                 " Hz in stereo; choose another extension (" + WritableExtensions() + ")";
        return false;
    }

    const std::filesystem::path target(path);
    const std::string directory = target.has_parent_path() ? target.parent_path().string() : ".";
    temporary_ = directory + "/." + target.filename().string() + ".partial-XXXXXX";
    const int fd = mkstemp(temporary_.data());
    if (fd < 0) {
        *error = "cannot write " + path + ": " + std::strerror(errno) + " (creating a file in " + directory +
                 "); name a file in a writable folder";
        temporary_.clear();
        return false;
    }
    ArmSignalCleanup(temporary_.c_str());
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    file_ = sf_open_fd(fd, SFM_WRITE, &info, SF_TRUE);
    if (!file_) {
        close(fd);
        *error = "cannot write " + path + ": " + Reason(sf_strerror(nullptr)) + "; name another file";
        Discard();
        return false;
    }
    // Integer formats clip a hot output instead of wrapping it around.
    sf_command(file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    return true;
}

bool SoundFileWriter::WriteStereo(const float* stereo, std::size_t frames, std::string* error) {
    if (sf_writef_float(file_, stereo, sf_count_t(frames)) == sf_count_t(frames)) return true;
    *error = "cannot write " + path_ + ": " + Reason(sf_strerror(file_)) + "; free some space or name another folder";
    Discard();
    return false;
}

bool SoundFileWriter::Commit(std::string* error) {
    if (!file_) {
        *error = "cannot write " + path_ + ": the file was not opened";
        return false;
    }
    sf_write_sync(file_);
    const int closed = sf_close(file_);
    file_ = nullptr;
    if (closed != 0) {
        *error = "cannot write " + path_ + ": " + Reason(sf_error_number(closed)) + "; free some space or name another folder";
        Discard();
        return false;
    }
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
        *error = "cannot write " + path_ + ": " + std::strerror(errno) + "; name a file in a writable folder";
        Discard();
        return false;
    }
    DisarmSignalCleanup();
    temporary_.clear();
    return true;
}

void SoundFileWriter::Discard() {
    if (file_) sf_close(file_);
    file_ = nullptr;
    if (temporary_.empty()) return;
    DisarmSignalCleanup();
    unlink(temporary_.c_str());
    temporary_.clear();
}

std::string WritableExtensions() {
    std::string list;
    int count = 0;
    sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
    for (int i = 0; i < count; ++i) {
        SF_FORMAT_INFO info{};
        info.format = i;
        if (sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof info) != 0 || !info.extension) continue;
        const std::string extension = std::string(".") + info.extension;
        if ((" " + list + " ").find(" " + extension + " ") != std::string::npos) continue;
        if (!list.empty()) list += " ";
        list += extension;
    }
    return list;
}
