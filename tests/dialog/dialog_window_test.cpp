// The main dialog as built from its template, its icon and system menu, and the About box.

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include "res/resource_ids.h"
#include "tests/dialog/dialog_harness.h"

using dialog_test::TypeText;

using dialog_test::DialogHarness;
using Lines = std::vector<std::string>;

namespace {

// Dialog units to pixels, from the dialog font's average character width and height.
QRect ExpectedGeometry(const QWidget& window, int x, int y, int width, int height)
{
    QFontMetrics metrics(window.font());
    int baseX = (metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 26 + 1) / 2;
    int baseY = metrics.height();
    auto px = [baseX](int v) { return (v * baseX + 2) / 4; };
    auto py = [baseY](int v) { return (v * baseY + 4) / 8; };
    return {px(x), py(y), px(width), py(height)};
}

QMenu& SystemMenu(const QWidget& window)
{
    auto* menu = window.findChild<QMenu*>(QStringLiteral("systemMenu"));
    if (!menu)
        qFatal("no system menu");
    return *menu;
}

}  // namespace

class DialogWindowTest : public QObject {
    Q_OBJECT

private slots:
    void windowFollowsTemplate9902()
    {
        DialogHarness dlg;
        QWidget& window = dlg.Window();
        QCOMPARE(window.windowTitle(), QStringLiteral("DOZA憑證轉換工具"));
        QCOMPARE(window.font().pointSize(), 9);
        QCOMPARE(window.size(), ExpectedGeometry(window, 0, 0, 274, 248).size());
        QVERIFY(window.isVisible());
        QVERIFY(!(window.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(window.windowFlags() & Qt::WindowCloseButtonHint);
    }

    void controlsFollowTemplate9902_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("units");
        QTest::newRow("password label") << "passwordLabel" << "QLabel" << "憑證密碼" << QRect(19, 186, 35, 8);
        QTest::newRow("import button") << "importButton" << "QPushButton" << "匯入\nIE Store" << QRect(19, 208, 237, 25);
        QTest::newRow("password edit") << "passwordEdit" << "QLineEdit" << "" << QRect(61, 184, 195, 14);
        QTest::newRow("certificate list") << "certList" << "QListWidget" << "" << QRect(19, 64, 237, 108);
        QTest::newRow("query button") << "queryButton" << "QPushButton" << "查詢\n DOZA Cert Store" << QRect(19, 34, 237, 21);
        QTest::newRow("id label") << "idLabel" << "QLabel" << "ID" << QRect(20, 13, 35, 8);
        QTest::newRow("id edit") << "idEdit" << "QLineEdit" << "" << QRect(61, 11, 195, 14);
    }

    void controlsFollowTemplate9902()
    {
        QFETCH(QString, name);
        QFETCH(QString, className);
        QFETCH(QString, text);
        QFETCH(QRect, units);
        DialogHarness dlg;
        auto* widget = dlg.Window().findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
        QVERIFY(!widget->accessibleName().isEmpty());
        QCOMPARE(widget->geometry(), ExpectedGeometry(dlg.Window(), units.x(), units.y(), units.width(), units.height()));
        QCOMPARE(widget->property("text").toString(), text);
        if (auto* label = qobject_cast<QLabel*>(widget))
            QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    }

    void controlsAreBoundById()
    {
        DialogHarness dlg;
        QCOMPARE(dlg.Dialog().GetDlgItem(IDC_IMPORT_BUTTON), &dlg.ImportButton());
        QCOMPARE(dlg.Dialog().GetDlgItem(IDC_PASSWORD_EDIT), &dlg.PasswordEdit());
        QCOMPARE(dlg.Dialog().GetDlgItem(IDC_CERT_LIST), &dlg.CertList());
        QCOMPARE(dlg.Dialog().GetDlgItem(IDC_QUERY_BUTTON), &dlg.QueryButton());
        QCOMPARE(dlg.Dialog().GetDlgItem(IDC_ID_EDIT), &dlg.IdEdit());
        QCOMPARE(dlg.CertList().selectionMode(), QAbstractItemView::SingleSelection);
        QVERIFY(!dlg.ImportButton().isDefault() && !dlg.QueryButton().isDefault());
    }

    void resizingMovesNoControl()
    {
        DialogHarness dlg;
        const QList<QWidget*> controls = dlg.Window().findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        std::vector<QRect> before;
        for (const QWidget* control : controls)
            before.push_back(control->geometry());
        for (QSize size : {dlg.Window().size() * 2, dlg.Window().size() / 2}) {
            dlg.Window().resize(size);
            QCOMPARE(dlg.Window().size(), size);
            for (qsizetype i = 0; i < controls.size(); ++i)
                QCOMPARE(controls[i]->geometry(), before[static_cast<size_t>(i)]);
        }
    }

    void windowCarriesTheApplicationIconInNineSizes()
    {
        DialogHarness dlg;
        QList<QSize> sizes = dlg.Window().windowIcon().availableSizes();
        QList<QSize> expected;
        for (int side : {16, 24, 32, 48, 64, 96, 128, 192, 256})
            expected.append(QSize(side, side));
        std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
        QCOMPARE(sizes, expected);
    }

    void systemMenuEndsWithTheAboutItem()
    {
        DialogHarness dlg;
        const QList<QAction*> actions = SystemMenu(dlg.Window()).actions();
        QCOMPARE(actions.size(), 2);
        QVERIFY(actions[0]->isSeparator());
        QCOMPARE(actions[1]->text(), QStringLiteral("關於 Dizored(&A)..."));
    }

    void systemMenuOpensOnContextMenuAndAltSpace()
    {
        DialogHarness dlg;
        dlg.Window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg.Window()));
        QMenu& menu = SystemMenu(dlg.Window());

        QTest::keyClick(&dlg.Window(), Qt::Key_Space, Qt::AltModifier);
        QTRY_VERIFY(menu.isVisible());
        menu.hide();

        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), dlg.Window().mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&dlg.Window(), &event);
        QTRY_VERIFY(menu.isVisible());
        menu.hide();
    }

    void aboutItemShowsTheAboutBoxAndLeavesTheDialogAsItWas()
    {
        test_support::StoreWriter store;
        store.AddCertificate("Alice Chen", "A1", {});
        DialogHarness dlg(&store);
        dlg.Query("Alice");
        TypeText(dlg.PasswordEdit(), QStringLiteral("pw"));

        QStringList texts;
        bool okIsDefault = false;
        bool iconShown = false;
        bool fixedSize = false;
        dlg.Hook().SetDialogHandler([&](framework::Dialog&, QDialog& about) {
            for (const QLabel* label : about.findChildren<QLabel*>()) {
                texts << label->text();
                iconShown = iconShown || !label->pixmap().isNull();
            }
            auto* ok = about.findChild<QPushButton*>(QStringLiteral("okButton"));
            okIsDefault = ok && ok->isDefault() && ok->text() == QStringLiteral("確定");
            fixedSize = about.minimumSize() == about.maximumSize();
            QTest::keyClick(&about, Qt::Key_Return);  // the default button ends it
        });
        SystemMenu(dlg.Window()).actions().back()->trigger();

        QCOMPARE(dlg.Hook().Dialogs().size(), size_t{1});
        const framework::RecordedDialog& shown = dlg.Hook().Dialogs().front();
        QCOMPARE(shown.templateId, IDD_ABOUTBOX);
        QCOMPARE(shown.caption, std::string("關於 Dizored"));
        QCOMPARE(shown.endCode, framework::IDOK);
        QCOMPARE(texts, (QStringList{"", "Dizored, 1.0 版", ""}));
        QVERIFY(iconShown);
        QVERIFY(okIsDefault);
        QVERIFY(fixedSize);

        QVERIFY(dlg.Window().isVisible());
        QCOMPARE(dlg.Dialog().EndCode(), -1);
        QCOMPARE(dlg.ListLines(), Lines{"Alice Chen, A1"});
        QCOMPARE(dlg.PasswordEdit().text(), QStringLiteral("pw"));
    }

    void aboutBoxEndsWithEscapeToo()
    {
        DialogHarness dlg;
        dlg.Hook().SetDialogHandler([](framework::Dialog&, QDialog& about) { QTest::keyClick(&about, Qt::Key_Escape); });
        SystemMenu(dlg.Window()).actions().back()->trigger();
        QCOMPARE(dlg.Hook().Dialogs().size(), size_t{1});
        QCOMPARE(dlg.Hook().Dialogs().front().endCode, framework::IDCANCEL);
        QVERIFY(dlg.Window().isVisible());
    }
};

QTEST_MAIN(DialogWindowTest)
#include "dialog_window_test.moc"
