#include "platform/certstore/nss_cert_store.h"

#include <cert.h>
#include <certdb.h>
#include <p12.h>
#include <pk11pub.h>
#include <secerr.h>

#include "platform/certstore/nss_database.h"

namespace platform::certstore {

namespace {

struct DecoderFinish {
    void operator()(SEC_PKCS12DecoderContext* decoder) const { SEC_PKCS12DecoderFinish(decoder); }
};
using DecoderPtr = std::unique_ptr<SEC_PKCS12DecoderContext, DecoderFinish>;

struct CertificateDestroy {
    void operator()(CERTCertificate* certificate) const { CERT_DestroyCertificate(certificate); }
};
using NssCertificatePtr = std::unique_ptr<CERTCertificate, CertificateDestroy>;

struct PortFree {
    void operator()(char* text) const { PORT_Free(text); }
};
using NssTextPtr = std::unique_ptr<char, PortFree>;

enum class StoreRole { kPersonal, kIntermediate, kRoot };

SECItem ItemOver(const Bytes& bytes)
{
    return SECItem{siBuffer, const_cast<unsigned char*>(bytes.data()), static_cast<unsigned int>(bytes.size())};
}

// A nickname as the PKCS#12 decoder takes it: counted, with a terminating zero behind it.
SECItem* NicknameItem(const char* nickname)
{
    const size_t length = PORT_Strlen(nickname);
    SECItem* item = SECITEM_AllocItem(nullptr, nullptr, static_cast<unsigned int>(length + 1));
    if (item != nullptr) {
        item->type = siAsciiString;
        PORT_Memcpy(item->data, nickname, length + 1);
        item->len = static_cast<unsigned int>(length);
    }
    return item;
}

// Every certificate of the file gets a nickname: its friendly name, or one made from its
// subject, as certutil and browsers show certificates by nickname.
SECStatus PR_CALLBACK NameUnnamedCertificate(const CERTCertificate* certificate, const SECItem* friendlyName,
                                             SECItem** nickname, void*)
{
    *nickname = nullptr;
    if (friendlyName != nullptr && friendlyName->len > 0)
        return SECSuccess;
    NssTextPtr made(CERT_MakeCANickname(const_cast<CERTCertificate*>(certificate)));
    if (made)
        *nickname = NicknameItem(made.get());
    return SECSuccess;
}

// A nickname that another certificate of the database already has is made unique.
SECItem* PR_CALLBACK NicknameForCollision(SECItem* oldNickname, PRBool* cancel, void* context)
{
    auto* certificate = static_cast<CERTCertificate*>(context);
    if (cancel == nullptr || certificate == nullptr)
        return nullptr;
    NssTextPtr nickname(CERT_MakeCANickname(certificate));
    if (!nickname)
        return nullptr;
    const size_t length = PORT_Strlen(nickname.get());
    if (oldNickname != nullptr && oldNickname->len == length &&
        PORT_Memcmp(oldNickname->data, nickname.get(), length) == 0) {
        PORT_SetError(SEC_ERROR_IO);  // the same name again would loop
        return nullptr;
    }
    return NicknameItem(nickname.get());
}

std::vector<StoreCertificate> CertificatesOf(SEC_PKCS12DecoderContext* decoder)
{
    std::vector<StoreCertificate> certificates;
    if (SEC_PKCS12DecoderIterateInit(decoder) != SECSuccess)
        return certificates;
    const SEC_PKCS12DecoderItem* item = nullptr;
    while (SEC_PKCS12DecoderIterateNext(decoder, &item) == SECSuccess && item != nullptr) {
        if (item->type != SEC_OID_PKCS12_V1_CERT_BAG_ID || item->der == nullptr)
            continue;
        StoreCertificate certificate;
        certificate.der.assign(item->der->data, item->der->data + item->der->len);
        // A certificate that NSS reads and OpenSSL does not keeps empty fields: an end entity.
        ReadCertificateFields(certificate.der, &certificate.fields);
        certificates.push_back(std::move(certificate));
    }
    return certificates;
}

// Adds the wanted trust to what a category has, except where the user explicitly distrusts it.
unsigned int MergeTrust(unsigned int current, unsigned int wanted)
{
    const bool distrusted = (current & CERTDB_TERMINAL_RECORD) != 0 &&
                            (current & (CERTDB_TRUSTED | CERTDB_TRUSTED_CA)) == 0;
    return distrusted ? current : current | wanted;
}

bool TrustAsRoot(CERTCertDBHandle* database, CERTCertificate* certificate)
{
    CERTCertTrust wanted{};
    if (CERT_DecodeTrustString(&wanted, "CT,C,C") != SECSuccess)
        return false;
    CERTCertTrust current{};
    if (CERT_GetCertTrust(certificate, &current) != SECSuccess)
        current = CERTCertTrust{};
    CERTCertTrust merged{MergeTrust(current.sslFlags, wanted.sslFlags),
                         MergeTrust(current.emailFlags, wanted.emailFlags),
                         MergeTrust(current.objectSigningFlags, wanted.objectSigningFlags)};
    if (merged.sslFlags == current.sslFlags && merged.emailFlags == current.emailFlags &&
        merged.objectSigningFlags == current.objectSigningFlags)
        return true;
    return CERT_ChangeCertTrust(database, certificate, &merged) == SECSuccess;
}

class NssSystemStore : public SystemCertificateStore {
public:
    NssSystemStore(std::shared_ptr<NssDatabase> database, StoreRole role)
        : database_(std::move(database)), role_(role)
    {
    }

    bool AddCertificateIfNewer(const StoreCertificate& certificate) override
    {
        CERTCertDBHandle* handle = CERT_GetDefaultCertDB();
        SECItem der = ItemOver(certificate.der);
        NssCertificatePtr existing(CERT_FindCertByDERCert(handle, &der));
        if (existing && existing->isperm) {
            // Already in the database: it keeps its nickname, key and trust; a root only gains trust.
            if (role_ == StoreRole::kRoot)
                TrustAsRoot(handle, existing.get());
            return false;
        }

        NssCertificatePtr added(existing ? existing.release()
                                         : CERT_NewTempCertificate(handle, &der, nullptr, PR_FALSE, PR_TRUE));
        if (!added)
            return false;
        NssTextPtr nickname(CERT_MakeCANickname(added.get()));
        // A certificate whose key is in the database is paired with it on import: a user certificate.
        if (PK11_ImportCert(database_->KeySlot(), added.get(), CK_INVALID_HANDLE, nickname.get(), PR_FALSE) !=
            SECSuccess)
            return false;
        if (role_ == StoreRole::kRoot)
            return TrustAsRoot(handle, added.get());
        return true;
    }

private:
    std::shared_ptr<NssDatabase> database_;
    StoreRole role_;
};

}  // namespace

std::unique_ptr<TemporaryCertificateStore> NssCertificateStoreBackend::ImportPfx(std::span<const unsigned char> pfx,
                                                                                 const SecretText<char16_t>& password,
                                                                                 uint32_t flags)
{
    if ((flags & kPfxUserKeySet) == 0)
        return nullptr;
    std::shared_ptr<NssDatabase> database = NssDatabase::Open();
    if (!database)
        return nullptr;

    SecretText<char> passwordBytes;
    ToPkcs12PasswordBytes(password, &passwordBytes);
    SECItem passwordItem{siBuffer, reinterpret_cast<unsigned char*>(const_cast<char*>(passwordBytes.data())),
                         static_cast<unsigned int>(passwordBytes.size())};
    Bytes file(pfx.begin(), pfx.end());

    std::vector<StoreCertificate> certificates;
    {
        DecoderPtr decoder(SEC_PKCS12DecoderStart(&passwordItem, database->KeySlot(), nullptr, nullptr, nullptr,
                                                  nullptr, nullptr, nullptr));
        if (!decoder || SEC_PKCS12DecoderUpdate(decoder.get(), file.data(), file.size()) != SECSuccess ||
            SEC_PKCS12DecoderVerify(decoder.get()) != SECSuccess ||
            SEC_PKCS12DecoderRenameCertNicknames(decoder.get(), NameUnnamedCertificate, nullptr) != SECSuccess ||
            SEC_PKCS12DecoderValidateBags(decoder.get(), NicknameForCollision) != SECSuccess)
            return nullptr;
        // Keys go to the database with the certificates that they belong to; the file's
        // authorities go in without trust, which only an add to "ROOT" gives them.
        if (SEC_PKCS12DecoderImportBags(decoder.get()) != SECSuccess)
            return nullptr;
        certificates = CertificatesOf(decoder.get());
    }
    return std::make_unique<TemporaryCertificateStore>(std::move(certificates), std::move(database));
}

std::unique_ptr<SystemCertificateStore> NssCertificateStoreBackend::OpenSystemStore(const std::u16string& name)
{
    StoreRole role;
    if (name == kPersonalStore)
        role = StoreRole::kPersonal;
    else if (name == kIntermediateStore)
        role = StoreRole::kIntermediate;
    else if (name == kRootStore)
        role = StoreRole::kRoot;
    else
        return nullptr;
    std::shared_ptr<NssDatabase> database = NssDatabase::Open();
    if (!database)
        return nullptr;
    return std::make_unique<NssSystemStore>(std::move(database), role);
}

}  // namespace platform::certstore
