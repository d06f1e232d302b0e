// The import command through the real dialog: a store in a temporary Wine prefix, a temporary
// HOME, and the user's real NSS database checked afterwards with certutil.

#include <QTest>

#include "tests/dialog/dialog_harness.h"
#include "tests/support/pkcs12_fixtures.h"
#include "tests/support/run_process.h"

using dialog_test::DialogHarness;
using Lines = std::vector<std::string>;

namespace {

// The end-entity certificate of the fixture chain, as NSS names it, and its trust once imported.
const char* const kEeLine = "ABC - Dizored Test";

test_support::StoreWriter Store()
{
    const test_support::Pkcs12Fixtures& fixtures = test_support::Fixtures();
    test_support::StoreWriter store;
    store.AddCertificate("ABC", "12345678", fixtures.chainModern);
    store.AddCertificate("Chen, Alice Q", "12345678", fixtures.chainModern);
    store.AddCertificate("UNICODE", "12345678", fixtures.chainUnicode);
    store.AddCertificate("NOFILE", "12345678", {});  // a record without its PKCS#12 file
    return store;
}

// The certificate lines of `certutil -L` for the user's database (XDG location, HOME given).
std::string ListedCertificates(const std::string& home)
{
    test_support::ProcessResult listed =
        test_support::RunProcess({"/usr/bin/env", "certutil", "-L", "-d", "sql:" + home + "/.local/share/pki/nssdb"});
    return listed.exitStatus == 0 ? listed.out : std::string();
}

}  // namespace

class DialogImportTest : public QObject {
    Q_OBJECT

private:
    // Selects the line, types the password and clicks the import button; the message shown.
    static Lines Import(DialogHarness& dlg, const std::string& query, const std::string& line, const QString& password)
    {
        dlg.Query(query);
        dlg.SelectLine(line);
        dlg.PasswordEdit().clear();
        dialog_test::TypeText(dlg.PasswordEdit(), password);
        QTest::mouseClick(&dlg.ImportButton(), Qt::LeftButton);
        return dlg.TakeMessages();
    }

private slots:
    void importShowsTheCodeOfItsOutcome_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("imported");
        QTest::newRow("success") << "ABC" << "ABC, 12345678" << "secret" << "成功(0)" << true;
        QTest::newRow("wrong password") << "ABC" << "ABC, 12345678" << "wrong" << "PKCS12 密碼錯誤(5208)" << false;
        QTest::newRow("no stored file") << "NOFILE" << "NOFILE, 12345678" << "secret" << "一般錯誤(5001)" << false;
        QTest::newRow("non-ASCII password") << "UNICODE" << "UNICODE, 12345678" << test_support::kPkcs12UnicodePassword
                                            << "成功(0)" << true;
        // The common name holds a comma and a blank; it still names its own certificate.
        QTest::newRow("common name with comma and blank")
            << "Alice" << "Chen, Alice Q, 12345678" << "secret" << "成功(0)" << true;
    }

    void importShowsTheCodeOfItsOutcome()
    {
        QFETCH(QString, query);
        QFETCH(QString, line);
        QFETCH(QString, password);
        QFETCH(QString, message);
        QFETCH(bool, imported);
        test_support::TempDir home;
        test_support::ScopedEnv homeEnv("HOME", home.Path());
        test_support::ScopedEnv xdgEnv("XDG_DATA_HOME", std::nullopt);
        test_support::StoreWriter store = Store();
        DialogHarness dlg(&store);

        QCOMPARE(Import(dlg, query.toStdString(), line.toStdString(), password), Lines{message.toStdString()});
        QCOMPARE(ListedCertificates(home.Path()).find(kEeLine) != std::string::npos, imported);
        // The line, the list and the edits keep their contents.
        QCOMPARE(dlg.CertList().selectedItems().front()->text(), line);
        QCOMPARE(dlg.PasswordEdit().text(), password);
    }

    void enterInThePasswordEditImports()
    {
        test_support::TempDir home;
        test_support::ScopedEnv homeEnv("HOME", home.Path());
        test_support::ScopedEnv xdgEnv("XDG_DATA_HOME", std::nullopt);
        test_support::StoreWriter store = Store();
        DialogHarness dlg(&store);
        dlg.Query("ABC");
        dlg.SelectLine("ABC, 12345678");
        dlg.TypePassword("secret");
        dlg.PasswordEdit().setFocus();
        QTest::keyClick(&dlg.PasswordEdit(), Qt::Key_Return);
        QCOMPARE(dlg.TakeMessages(), Lines{"成功(0)"});
        QVERIFY(ListedCertificates(home.Path()).find(kEeLine) != std::string::npos);
        QCOMPARE(dlg.Dialog().EndCode(), -1);
    }
};

QTEST_MAIN(DialogImportTest)
#include "dialog_import_test.moc"
