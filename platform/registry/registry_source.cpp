#include "platform/registry/registry_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/registry/wine_registry_parser.h"

namespace platform::registry {

namespace {

// A registry file larger than this is not a user's registry; it is treated as unreadable.
constexpr off_t kMaxRegistryFileSize = off_t{2} << 30;

struct FileVersion {
    std::string path;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    timespec modified{};

    bool Matches(const std::string& otherPath, const struct stat& st) const
    {
        return path == otherPath && device == st.st_dev && inode == st.st_ino && size == st.st_size
            && modified.tv_sec == st.st_mtim.tv_sec && modified.tv_nsec == st.st_mtim.tv_nsec;
    }
};

struct SourceState {
    std::shared_ptr<const Hive> override;
    FileVersion parsedVersion;
    std::shared_ptr<const Hive> parsed;   // the last parse of the file, reused while it is unchanged
    std::shared_ptr<const Hive> pinned;   // shared by every open handle
    int openHandles = 0;
};

SourceState& State()
{
    static SourceState state;
    return state;
}

std::shared_ptr<const Hive> LoadFile(SourceState& state)
{
    static const auto kEmpty = std::make_shared<const Hive>();
    std::string path = CurrentUserRegistryPath();
    struct stat st {};
    if (path.empty() || stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return kEmpty;
    if (state.parsed && state.parsedVersion.Matches(path, st))
        return state.parsed;

    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return kEmpty;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxRegistryFileSize) {
        close(fd);
        return kEmpty;
    }
    // What the file held when it was opened: a file that grows meanwhile is not followed.
    state.parsed = ParseWineRegistryFile(fd, static_cast<size_t>(st.st_size));
    close(fd);
    state.parsedVersion = FileVersion{path, st.st_dev, st.st_ino, st.st_size, st.st_mtim};
    return state.parsed;
}

}  // namespace

std::string CurrentUserRegistryPath()
{
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
        return std::string(prefix) + "/user.reg";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.wine/user.reg";
    return {};
}

std::shared_ptr<const Hive> AcquireCurrentUserHive()
{
    SourceState& state = State();
    if (state.openHandles == 0)
        state.pinned = state.override ? state.override : LoadFile(state);
    state.openHandles++;
    return state.pinned;
}

void ReleaseCurrentUserHive()
{
    SourceState& state = State();
    if (state.openHandles > 0 && --state.openHandles == 0)
        state.pinned.reset();
}

ScopedCurrentUserHive::ScopedCurrentUserHive(std::shared_ptr<const Hive> hive)
    : previous_(std::move(State().override))
{
    State().override = std::move(hive);
}

ScopedCurrentUserHive::~ScopedCurrentUserHive()
{
    State().override = std::move(previous_);
}

}  // namespace platform::registry
