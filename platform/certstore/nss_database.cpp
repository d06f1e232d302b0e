#include "platform/certstore/nss_database.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>

#include <p12plcy.h>
#include <ciferfam.h>

namespace platform::certstore {

namespace fs = std::filesystem;

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Creates the missing folders of path, each private to the user, as the XDG base
// directories are to be created.
bool CreatePrivateFolders(const fs::path& path)
{
    fs::path partial;
    for (const fs::path& part : path) {
        partial /= part;
        std::error_code error;
        if (fs::is_directory(partial, error))
            continue;
        if (::mkdir(partial.c_str(), 0700) != 0 && !fs::is_directory(partial, error))
            return false;
    }
    return true;
}

// The decoder refuses a file whose ciphers the policy does not allow; allow every PKCS#12 one.
void EnablePkcs12Ciphers()
{
    for (long cipher : {PKCS12_RC2_CBC_40, PKCS12_RC2_CBC_128, PKCS12_RC4_40, PKCS12_RC4_128, PKCS12_DES_56,
                        PKCS12_DES_EDE3_168, PKCS12_AES_CBC_128, PKCS12_AES_CBC_192, PKCS12_AES_CBC_256})
        SEC_PKCS12EnableCipher(cipher, 1);
}

}  // namespace

std::string UserNssDatabasePath()
{
    const std::string home = Environment("HOME");
    if (home.empty())
        return "";
    // Never create ~/.pki/nssdb: a browser that finds it switches to it and loses the user's
    // certificates in the XDG location.
    const fs::path legacy = fs::path(home) / ".pki" / "nssdb";
    std::error_code error;
    if (fs::is_directory(legacy, error))
        return fs::absolute(legacy, error).string();

    fs::path dataHome = Environment("XDG_DATA_HOME");
    if (dataHome.empty() || !dataHome.is_absolute())  // relative values are to be ignored
        dataHome = fs::path(home) / ".local" / "share";
    return fs::absolute(dataHome / "pki" / "nssdb", error).string();
}

std::shared_ptr<NssDatabase> NssDatabase::Open()
{
    static std::weak_ptr<NssDatabase> current;
    if (std::shared_ptr<NssDatabase> open = current.lock())
        return open;

    const std::string path = UserNssDatabasePath();
    if (path.empty() || !CreatePrivateFolders(path))
        return nullptr;

    NSSInitParameters parameters{};
    parameters.length = sizeof(parameters);
    const std::string configDir = "sql:" + path;
    NSSInitContext* context = NSS_InitContext(configDir.c_str(), "", "", SECMOD_DB, &parameters,
                                              NSS_INIT_NOROOTINIT);
    if (context == nullptr)
        return nullptr;
    EnablePkcs12Ciphers();

    PK11SlotInfo* slot = PK11_GetInternalKeySlot();
    auto database = std::make_shared<NssDatabase>(context, slot);
    if (slot == nullptr)
        return nullptr;
    // A new database has no password yet; an empty one leaves it open to the user, as browsers do.
    if (PK11_NeedUserInit(slot) && PK11_InitPin(slot, nullptr, "") != SECSuccess)
        return nullptr;
    // A database under a password of the user's cannot be written without asking for it, and
    // NSS opens one whose files it may not write read-only.
    if ((PK11_NeedLogin(slot) && !PK11_IsLoggedIn(slot, nullptr)) || PK11_IsReadOnly(slot))
        return nullptr;
    current = database;
    return database;
}

NssDatabase::~NssDatabase()
{
    if (keySlot_ != nullptr)
        PK11_FreeSlot(keySlot_);
    NSS_ShutdownContext(context_);
}

}  // namespace platform::certstore
