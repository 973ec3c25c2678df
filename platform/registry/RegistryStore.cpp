#include "platform/registry/RegistryStore.h"

#include <sys/stat.h>

#include <cstdlib>

#include "platform/kernel/AtomicFile.h"
#include "platform/kernel/FileSystem.h"
#include "platform/kernel/LastError.h"
#include "platform/registry/RegistryFileFormat.h"

namespace win {

namespace {

constexpr std::uint64_t kMaxStoreBytes = 64u << 20;

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

bool RegistryStore::Stamp::operator==(const Stamp& other) const {
    return path == other.path && exists == other.exists && statError == other.statError && device == other.device &&
           inode == other.inode &&
           size == other.size && modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
}

std::string RegistryStore::Directory() {
    const char* own = std::getenv("KVX4_REGISTRY_DIR");
    if (own && *own) return WithoutTrailingSlashes(own);
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return WithoutTrailingSlashes(config) + "/kvx4/registry";
    std::string home = HomeDirectory();
    if (home.empty()) return {};
    return WithoutTrailingSlashes(home) + "/.config/kvx4/registry";
}

std::string RegistryStore::FilePath() const {
    std::string directory = Directory();
    return directory.empty() ? std::string{} : directory + "/" + rootName_ + ".reg";
}

RegistryStore::Stamp RegistryStore::StampOf(const std::string& path) {
    Stamp stamp;
    stamp.path = path;
    struct stat info{};
    if (path.empty()) return stamp;
    if (stat(path.c_str(), &info) != 0) {
        if (!MeansMissing(errno)) stamp.statError = errno;
        return stamp;
    }
    stamp.exists = true;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modified = info.st_mtim;
    return stamp;
}

void RegistryStore::Load(const Stamp& stamp) {
    tree_ = RegistryTree{};
    loadError_ = stamp.statError ? ErrorFromErrno(stamp.statError, ERROR_OPEN_FAILED) : ERROR_SUCCESS;
    if (stamp.exists) {
        FileContents contents = ReadWholeFile(stamp.path, kMaxStoreBytes);
        if (contents.exists && contents.error != ERROR_SUCCESS) {
            loadError_ = contents.error;
        } else if (contents.exists) {
            bool readable = true;
            tree_ = ParseRegistry(contents.bytes, rootName_, &readable);
            if (!readable) {
                tree_ = RegistryTree{};
                loadError_ = ERROR_BADDB;
            }
        }
    }
    stamp_ = stamp;
    loaded_ = true;
}

void RegistryStore::Refresh() {
    Stamp current = StampOf(FilePath());
    // A failed read is tried again, so a passing fault does not lock the store out for good.
    if (!loaded_ || loadError_ != ERROR_SUCCESS || !(current == stamp_)) Load(current);
}

DWORD RegistryStore::Modify(const Change& change) {
    auto cannotSave = [this](DWORD why, DWORD result = ERROR_CANTWRITE) {
        saveError_ = why;
        return result;
    };
    std::string path = FilePath();
    if (path.empty()) return cannotSave(ERROR_PATH_NOT_FOUND);
    std::string directory = ParentDirectory(path);
    if (DWORD error = EnsureDirectory(directory)) return cannotSave(error);
    DirectoryLock lock(directory);
    if (lock.Error() != ERROR_SUCCESS) return cannotSave(lock.Error());
    Refresh();
    // Saving over a store that could not be read would throw all of it away.
    if (loadError_ != ERROR_SUCCESS) return cannotSave(ERROR_CANTREAD, ERROR_CANTREAD);
    bool changed = false;
    DWORD result = change(tree_, changed);
    if (result != ERROR_SUCCESS || !changed) return result;
    std::string text = SerializeRegistry(tree_, rootName_);
    // A store too large to read back would lock every later change out; refuse to grow it that far.
    DWORD written = text.size() > kMaxStoreBytes ? ERROR_FILE_TOO_LARGE : WriteFileAtomically(path, text);
    if (written != ERROR_SUCCESS) {
        loaded_ = false;  // the tree in memory no longer matches the file; re-read next time
        return cannotSave(written);
    }
    saveError_ = ERROR_SUCCESS;
    stamp_ = StampOf(path);  // still under the lock, so this is the file just written
    return ERROR_SUCCESS;
}

}  // namespace win
