#include "store/pkcs12_work.h"

#include <memory>

#include <openssl/provider.h>
#include <openssl/x509.h>

#include "platform/certstore/openssl_ptr.h"

using platform::certstore::OpenSslDeleter;

namespace {

using Pbe2ParamPtr = std::unique_ptr<PBE2PARAM, OpenSslDeleter<PBE2PARAM, PBE2PARAM_free>>;
using Pbkdf2ParamPtr = std::unique_ptr<PBKDF2PARAM, OpenSslDeleter<PBKDF2PARAM, PBKDF2PARAM_free>>;
using PbeParamPtr = std::unique_ptr<PBEPARAM, OpenSslDeleter<PBEPARAM, PBEPARAM_free>>;

void FreeSafeBags(STACK_OF(PKCS12_SAFEBAG) * bags)
{
    sk_PKCS12_SAFEBAG_pop_free(bags, PKCS12_SAFEBAG_free);
}
using SafeBagsPtr = std::unique_ptr<STACK_OF(PKCS12_SAFEBAG), OpenSslDeleter<STACK_OF(PKCS12_SAFEBAG), FreeSafeBags>>;

void FreePkcs7Stack(STACK_OF(PKCS7) * stack)
{
    sk_PKCS7_pop_free(stack, PKCS7_free);
}
using Pkcs7StackPtr = std::unique_ptr<STACK_OF(PKCS7), OpenSslDeleter<STACK_OF(PKCS7), FreePkcs7Stack>>;

// Older files encrypt their certificates with RC2; only the legacy provider decrypts that.
// A library context of our own keeps it out of the rest of the process.
OSSL_LIB_CTX* LegacyContext()
{
    static OSSL_LIB_CTX* context = [] {
        OSSL_LIB_CTX* made = OSSL_LIB_CTX_new();
        if (made != nullptr) {
            OSSL_PROVIDER_load(made, "default");
            OSSL_PROVIDER_load(made, "legacy");
        }
        return made;
    }();
    return context;
}

class IterationBudget {
public:
    // False once the file has asked for more than the budget, or for work without a bound.
    bool Spend(const ASN1_INTEGER* iterations)
    {
        int64_t count = 0;
        if (iterations == nullptr || ASN1_INTEGER_get_int64(&count, iterations) != 1 || count <= 0 ||
            count > kMaxPkcs12Iterations - spent_)
            return false;
        spent_ += count;
        return true;
    }

    // A password-based algorithm: PBES2 with PBKDF2, or a PKCS#5 v1 / PKCS#12 scheme.
    bool SpendOn(const X509_ALGOR* algorithm)
    {
        const ASN1_OBJECT* oid = nullptr;
        X509_ALGOR_get0(&oid, nullptr, nullptr, algorithm);
        if (OBJ_obj2nid(oid) != NID_pbes2) {
            PbeParamPtr pbe(static_cast<PBEPARAM*>(ASN1_TYPE_unpack_sequence(ASN1_ITEM_rptr(PBEPARAM),
                                                                            algorithm->parameter)));
            // Not a scheme with an iteration count: nobody derives a key for it.
            return !pbe || Spend(pbe->iter);
        }
        Pbe2ParamPtr pbe2(static_cast<PBE2PARAM*>(ASN1_TYPE_unpack_sequence(ASN1_ITEM_rptr(PBE2PARAM),
                                                                           algorithm->parameter)));
        if (!pbe2 || pbe2->keyfunc == nullptr || OBJ_obj2nid(pbe2->keyfunc->algorithm) != NID_id_pbkdf2)
            return false;
        Pbkdf2ParamPtr kdf(static_cast<PBKDF2PARAM*>(ASN1_TYPE_unpack_sequence(ASN1_ITEM_rptr(PBKDF2PARAM),
                                                                              pbe2->keyfunc->parameter)));
        return kdf && Spend(kdf->iter);
    }

private:
    int64_t spent_ = 0;
};

// The MAC's count is optional and 1 when absent.
bool SpendOnMac(const PKCS12& p12, IterationBudget* budget)
{
    const ASN1_OCTET_STRING* mac = nullptr;
    const ASN1_INTEGER* iterations = nullptr;
    PKCS12_get0_mac(&mac, nullptr, nullptr, &iterations, &p12);
    if (mac == nullptr || iterations == nullptr)
        return true;
    return budget->Spend(iterations);
}

bool SpendOnBags(const STACK_OF(PKCS12_SAFEBAG) * bags, IterationBudget* budget)
{
    for (int i = 0; i < sk_PKCS12_SAFEBAG_num(bags); ++i) {
        const PKCS12_SAFEBAG* bag = sk_PKCS12_SAFEBAG_value(bags, i);
        switch (PKCS12_SAFEBAG_get_nid(bag)) {
        case NID_pkcs8ShroudedKeyBag: {
            const X509_ALGOR* algorithm = nullptr;
            X509_SIG_get0(PKCS12_SAFEBAG_get0_pkcs8(bag), &algorithm, nullptr);
            if (algorithm == nullptr || !budget->SpendOn(algorithm))
                return false;
            break;
        }
        case NID_safeContentsBag:  // nesting is bounded by the decoder's depth limit
            if (!SpendOnBags(PKCS12_SAFEBAG_get0_safes(bag), budget))
                return false;
            break;
        default:
            break;
        }
    }
    return true;
}

bool SpendOnEncryptedPart(PKCS7* part, const std::string& password, IterationBudget* budget)
{
    if (part->d.encrypted == nullptr || part->d.encrypted->enc_data == nullptr)
        return true;  // nothing to decrypt
    const PKCS7_ENC_CONTENT* content = part->d.encrypted->enc_data;
    if (content->algorithm == nullptr || !budget->SpendOn(content->algorithm))
        return false;
    if (content->enc_data == nullptr)
        return true;
    SafeBagsPtr bags(static_cast<STACK_OF(PKCS12_SAFEBAG)*>(PKCS12_item_decrypt_d2i_ex(
        content->algorithm, ASN1_ITEM_rptr(PKCS12_SAFEBAGS), password.data(), static_cast<int>(password.size()),
        content->enc_data, 1, LegacyContext(), nullptr)));
    return !bags || SpendOnBags(bags.get(), budget);
}

}  // namespace

bool MacWorkIsBounded(const PKCS12& p12)
{
    IterationBudget budget;
    return SpendOnMac(p12, &budget);
}

bool Pkcs12WorkIsBounded(const PKCS12& p12, const std::string& password)
{
    IterationBudget budget;
    if (!SpendOnMac(p12, &budget))
        return false;
    Pkcs7StackPtr parts(PKCS12_unpack_authsafes(&p12));
    for (int i = 0; parts && i < sk_PKCS7_num(parts.get()); ++i) {
        PKCS7* part = sk_PKCS7_value(parts.get(), i);
        switch (OBJ_obj2nid(part->type)) {
        case NID_pkcs7_data: {
            SafeBagsPtr bags(PKCS12_unpack_p7data(part));
            if (bags && !SpendOnBags(bags.get(), &budget))
                return false;
            break;
        }
        case NID_pkcs7_encrypted:
            if (!SpendOnEncryptedPart(part, password, &budget))
                return false;
            break;
        default:
            break;
        }
    }
    return true;
}
