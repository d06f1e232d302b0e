// The query and import commands, driven through the real dialog over a real Wine-format store.

#include <QTest>

#include "platform/framework/test_hook.h"
#include "tests/dialog/dialog_harness.h"

using dialog_test::DialogHarness;
using Lines = std::vector<std::string>;

namespace {

test_support::StoreWriter SampleStore()
{
    test_support::StoreWriter store;
    store.AddCertificate("Carol Wu", "C3", {});
    store.AddCertificate("alice", "A1", {});
    store.AddCertificate("Bob Lee", "B2", {});
    store.AddCertificate("王小明", "12345678", {});
    store.AddCertificate("王大明", "87654321", {});
    return store;
}

}  // namespace

class DialogCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void emptyIdentifierShowsIdError()
    {
        test_support::StoreWriter store = SampleStore();
        DialogHarness dlg(&store);
        QTest::mouseClick(&dlg.QueryButton(), Qt::LeftButton);
        QCOMPARE(dlg.TakeMessages(), Lines{"ID錯誤"});
        QCOMPARE(dlg.CertList().count(), 0);
    }

    void messageBoxIsAWarningWithOneOkButtonAndTheAppNameAsCaption()
    {
        DialogHarness dlg;
        QTest::mouseClick(&dlg.QueryButton(), Qt::LeftButton);
        QCOMPARE(dlg.Hook().MessageBoxes().size(), size_t{1});
        const framework::RecordedMessageBox& box = dlg.Hook().MessageBoxes().front();
        QCOMPARE(box.caption, dialog_test::ExpectedAppName());
        QVERIFY(box.warningIcon);
        QCOMPARE(box.buttons.size(), size_t{1});
        QVERIFY(box.ownedByDialog);
    }

    void queryListsMatchesSortedWithoutAMessage()
    {
        test_support::StoreWriter store = SampleStore();
        DialogHarness dlg(&store);
        dlg.Query("明");
        QCOMPARE(dlg.TakeMessages(), Lines{});
        QCOMPARE(dlg.ListLines(), (Lines{"王大明, 87654321", "王小明, 12345678"}));
    }

    void queryOfOneBlankFindsEveryNameWithABlank()
    {
        test_support::StoreWriter store = SampleStore();
        DialogHarness dlg(&store);
        dlg.Query(" ");
        QCOMPARE(dlg.ListLines(), (Lines{"Bob Lee, B2", "Carol Wu, C3"}));
    }

    void laterQueriesKeepEarlierLinesSortInAndRepeat()
    {
        test_support::StoreWriter store = SampleStore();
        DialogHarness dlg(&store);
        dlg.Query("明");
        dlg.SelectLine("王小明, 12345678");
        dlg.Query(" ");
        dlg.Query("o");    // Bob Lee and Carol Wu a second time
        dlg.Query("ali");  // sorts before "Bob" without regard to case
        QCOMPARE(dlg.TakeMessages(), Lines{});
        QCOMPARE(dlg.ListLines(), (Lines{"alice, A1", "Bob Lee, B2", "Bob Lee, B2", "Carol Wu, C3", "Carol Wu, C3",
                                         "王大明, 87654321", "王小明, 12345678"}));
        // The selection stays on its line.
        QCOMPARE(dlg.CertList().selectedItems().size(), 1);
        QCOMPARE(dlg.CertList().selectedItems().front()->text(), QStringLiteral("王小明, 12345678"));
    }

    void fruitlessQueryShowsIdErrorAndKeepsTheList()
    {
        test_support::StoreWriter store = SampleStore();
        DialogHarness dlg(&store);
        dlg.Query("alice");
        dlg.Query("nobody");
        QCOMPARE(dlg.TakeMessages(), Lines{"ID錯誤"});
        QCOMPARE(dlg.ListLines(), Lines{"alice, A1"});
    }

    void queryWithoutAStoreShowsIdError()
    {
        DialogHarness dlg;  // no user.reg in the prefix
        dlg.Query("alice");
        QCOMPARE(dlg.TakeMessages(), Lines{"ID錯誤"});
    }

    void importWithNothingSelectedShows5050()
    {
        test_support::StoreWriter store = SampleStore();
        DialogHarness dlg(&store);
        // Right after start, nothing selected and nothing typed: only 5050.
        QTest::mouseClick(&dlg.ImportButton(), Qt::LeftButton);
        QCOMPARE(dlg.TakeMessages(), Lines{"物件不存在(5050)"});
        // Lines listed but none selected, with a password: still 5050.
        dlg.Query("alice");
        dlg.TypePassword("secret");
        QTest::mouseClick(&dlg.ImportButton(), Qt::LeftButton);
        QCOMPARE(dlg.TakeMessages(), Lines{"物件不存在(5050)"});
    }

    void importWithAnEmptyPasswordShows5208()
    {
        test_support::StoreWriter store = SampleStore();
        DialogHarness dlg(&store);
        dlg.Query("alice");
        dlg.SelectLine("alice, A1");
        QTest::mouseClick(&dlg.ImportButton(), Qt::LeftButton);
        QCOMPARE(dlg.TakeMessages(), Lines{"PKCS12 密碼錯誤(5208)"});
        QCOMPARE(dlg.ListLines(), Lines{"alice, A1"});
    }
};

QTEST_MAIN(DialogCommandsTest)
#include "dialog_commands_test.moc"
