// The main dialog's keyboard: tab order, Enter and Escape, and the password edit's limit.

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "tests/dialog/dialog_harness.h"

using dialog_test::DialogHarness;
using dialog_test::TypeText;
using Lines = std::vector<std::string>;

namespace {

test_support::StoreWriter OneCertificate()
{
    test_support::StoreWriter store;
    store.AddCertificate("Alice Chen", "A1", {});
    return store;
}

void Activate(QWidget& window)
{
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

void PressEnter(QWidget& widget)
{
    QTest::keyClick(&widget, Qt::Key_Return);
}

}  // namespace

class DialogKeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void focusStartsOnTheImportButtonAndTabFollowsTheTemplate()
    {
        DialogHarness dlg;
        Activate(dlg.Window());
        QCOMPARE(QApplication::focusWidget(), &dlg.ImportButton());
        const QWidget* expected[] = {&dlg.PasswordEdit(), &dlg.CertList(), &dlg.QueryButton(), &dlg.IdEdit(),
                                     &dlg.ImportButton()};
        for (const QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void enterRightAfterStartClicksTheImportButton()
    {
        DialogHarness dlg;
        Activate(dlg.Window());
        PressEnter(*QApplication::focusWidget());
        QCOMPARE(dlg.TakeMessages(), Lines{"物件不存在(5050)"});
        QCOMPARE(dlg.Dialog().EndCode(), -1);
    }

    void enterOnTheQueryButtonClicksIt()
    {
        DialogHarness dlg;
        Activate(dlg.Window());
        dlg.QueryButton().setFocus();
        PressEnter(dlg.QueryButton());
        QCOMPARE(dlg.TakeMessages(), Lines{"ID錯誤"});
    }

    // Enter never ends the dialog, which would lose the listed results.
    void enterInTheIdentifierEditRunsTheQuery()
    {
        test_support::StoreWriter store = OneCertificate();
        DialogHarness dlg(&store);
        Activate(dlg.Window());
        dlg.IdEdit().setFocus();
        TypeText(dlg.IdEdit(), QStringLiteral("Alice"));
        PressEnter(dlg.IdEdit());
        QCOMPARE(dlg.ListLines(), Lines{"Alice Chen, A1"});
        QCOMPARE(dlg.TakeMessages(), Lines{});
        QCOMPARE(dlg.Dialog().EndCode(), -1);
        QVERIFY(dlg.Window().isVisible());
    }

    void enterInThePasswordEditRunsTheImport()
    {
        test_support::StoreWriter store = OneCertificate();
        DialogHarness dlg(&store);
        Activate(dlg.Window());
        dlg.Query("Alice");
        dlg.PasswordEdit().setFocus();
        PressEnter(dlg.PasswordEdit());
        QCOMPARE(dlg.TakeMessages(), Lines{"物件不存在(5050)"});
        dlg.SelectLine("Alice Chen, A1");
        dlg.PasswordEdit().setFocus();
        PressEnter(dlg.PasswordEdit());
        QCOMPARE(dlg.TakeMessages(), Lines{"PKCS12 密碼錯誤(5208)"});
        QCOMPARE(dlg.Dialog().EndCode(), -1);
    }

    void enterOnTheListDoesNothing()
    {
        test_support::StoreWriter store = OneCertificate();
        DialogHarness dlg(&store);
        Activate(dlg.Window());
        dlg.Query("Alice");
        dlg.SelectLine("Alice Chen, A1");
        dlg.CertList().setFocus();
        PressEnter(dlg.CertList());
        QCOMPARE(dlg.TakeMessages(), Lines{});
        QCOMPARE(dlg.Dialog().EndCode(), -1);
        QCOMPARE(dlg.ListLines(), Lines{"Alice Chen, A1"});
    }

    void escapeEndsWithCancel_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("identifier edit") << "idEdit";
        QTest::newRow("password edit") << "passwordEdit";
        QTest::newRow("list") << "certList";
        QTest::newRow("import button") << "importButton";
    }

    void escapeEndsWithCancel()
    {
        QFETCH(QString, focus);
        DialogHarness dlg;
        Activate(dlg.Window());
        auto* widget = dlg.Window().findChild<QWidget*>(focus);
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_Escape);
        QCOMPARE(dlg.Dialog().EndCode(), framework::IDCANCEL);
        QVERIFY(!dlg.Window().isVisible());
    }

    void theCloseBoxEndsWithCancel()
    {
        DialogHarness dlg;
        QVERIFY(dlg.Window().close());
        QCOMPARE(dlg.Dialog().EndCode(), framework::IDCANCEL);
    }

    void typedPasswordStopsAtSixteenBytes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("17 ASCII characters") << "0123456789abcdefX" << "0123456789abcdef";
        // Three bytes each in UTF-8: five fit, the sixth does not, one more ASCII byte does.
        QTest::newRow("Chinese, then ASCII") << "密碼密碼密碼a" << "密碼密碼密a";
        QTest::newRow("four-byte characters") << "😀😀😀😀😀" << "😀😀😀😀";
    }

    void typedPasswordStopsAtSixteenBytes()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        DialogHarness dlg;
        TypeText(dlg.PasswordEdit(), typed);
        QCOMPARE(dlg.PasswordEdit().text(), kept);
    }

    void pastedPasswordIsCutAtSixteenBytes_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("kept");
        QTest::newRow("long ASCII") << "" << 0 << "0123456789abcdefXYZ" << "0123456789abcdef";
        QTest::newRow("never inside a character") << "" << 0 << "abcdefghijklmn密碼" << "abcdefghijklmn";
        QTest::newRow("into the middle") << "abcdef" << 3 << "0123456789XYZ" << "abc0123456789def";
        QTest::newRow("fits whole") << "abc" << 3 << "密碼" << "abc密碼";
    }

    void pastedPasswordIsCutAtSixteenBytes()
    {
        QFETCH(QString, before);
        QFETCH(int, cursor);
        QFETCH(QString, pasted);
        QFETCH(QString, kept);
        DialogHarness dlg;
        TypeText(dlg.PasswordEdit(), before);
        dlg.PasswordEdit().setCursorPosition(cursor);
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(&dlg.PasswordEdit(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(dlg.PasswordEdit().text(), kept);
    }

    void passwordShowsInClearAndTheIdentifierHasNoSuchLimit()
    {
        DialogHarness dlg;
        QCOMPARE(dlg.PasswordEdit().echoMode(), QLineEdit::Normal);
        QString longId(40, QLatin1Char('x'));
        TypeText(dlg.IdEdit(), longId);
        QCOMPARE(dlg.IdEdit().text(), longId);
    }
};

QTEST_MAIN(DialogKeyboardTest)
#include "dialog_keyboard_test.moc"
