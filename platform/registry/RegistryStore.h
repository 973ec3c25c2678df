#pragma once
// One registry root kept in a text file (see RegistryFileFormat.h). The tree is re-read whenever the
// file has changed on disk, so a registering tool and the host program see each other's writes; a
// change locks the directory, re-reads, applies itself and replaces the file atomically. The
// Reg* functions in Registry.cpp own one store per root and serialise calls into it.
#include <sys/types.h>

#include <ctime>
#include <functional>
#include <string>

#include "platform/base/WinTypes.h"
#include "platform/kernel/LastError.h"
#include "platform/registry/RegistryTree.h"

namespace win {

class RegistryStore {
public:
    explicit RegistryStore(std::string rootName) : rootName_(std::move(rootName)) {}

    // $KVX4_REGISTRY_DIR, else $XDG_CONFIG_HOME/kvx4/registry, else $HOME/.config/kvx4/registry.
    static std::string Directory();
    std::string FilePath() const;

    // Re-reads the file if it changed since it was last read (or the store moved to another path).
    void Refresh();
    const RegistryTree& Tree() const { return tree_; }
    // ERROR_SUCCESS, or ERROR_CANTREAD when the file exists but could not be read; the tree is then
    // empty and no change is saved over the file.
    DWORD ReadError() const { return loadError_ != ERROR_SUCCESS ? ERROR_CANTREAD : ERROR_SUCCESS; }
    // Why the file could not be read, for messages: the file system's error, or ERROR_BADDB for a
    // file that holds no registry data at all (which is then never saved over either).
    DWORD ReadProblem() const { return loadError_; }
    // Why the last change could not be saved (ERROR_SUCCESS after one that was): the file
    // system's error from creating the folder, locking it or replacing the file, or ERROR_CANTREAD.
    DWORD SaveProblem() const { return saveError_; }
    timespec LastWriteTime() const { return stamp_.modified; }

    // Runs change on an up-to-date tree under the directory lock and saves when it reports a change.
    // change returns ERROR_SUCCESS or the error to hand back; a failed save gives ERROR_CANTWRITE and
    // a store that exists but cannot be read gives ERROR_CANTREAD, leaving the file as it was.
    using Change = std::function<DWORD(RegistryTree& tree, bool& changed)>;
    DWORD Modify(const Change& change);

private:
    struct Stamp {
        std::string path;
        bool exists = false;
        int statError = 0;  // errno of a failed look that does not mean "missing"
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        bool operator==(const Stamp& other) const;
    };
    static Stamp StampOf(const std::string& path);
    void Load(const Stamp& stamp);

    std::string rootName_;
    RegistryTree tree_;
    Stamp stamp_;
    bool loaded_ = false;
    DWORD loadError_ = 0;
    DWORD saveError_ = 0;
};

}  // namespace win
