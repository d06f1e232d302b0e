// dizored-dialog-screenshot PNG: opens the real dialog over a sample store, lists a query's
// results, and saves what the screen shows of the window. Run on an X server (scripts/screenshot).

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <cstdio>

#include "tests/dialog/dialog_harness.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: dizored-dialog-screenshot OUTPUT.png\n");
        return 2;
    }

    test_support::StoreWriter store;
    store.AddCertificate("王小明", "12345678", {});
    store.AddCertificate("王大明", "87654321", {});
    store.AddCertificate("陳美麗", "24681357", {});
    store.AddCertificate("Alice Chen", "A1234567", {});
    dialog_test::DialogHarness dlg(&store);
    dlg.Query("明");
    dlg.Query("陳");
    dlg.Query("Chen");
    dlg.SelectLine("王小明, 12345678");
    dialog_test::TypeText(dlg.PasswordEdit(), QStringLiteral("secret"));
    dlg.IdEdit().setText(QStringLiteral("王"));
    if (!dlg.TakeMessages().empty()) {
        std::fprintf(stderr, "the sample queries showed a message\n");
        return 1;
    }

    QWidget& window = dlg.Window();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    QTest::qWait(300);  // let the first paint reach the screen
    QPixmap shot = window.screen()->grabWindow(window.winId());
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "could not save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
