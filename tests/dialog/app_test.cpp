// The application object: its name, and InitInstance running the main dialog to its end.

#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/dizored_app.h"
#include "platform/framework/test_hook.h"
#include "res/dizored_resources.h"
#include "res/resource_ids.h"
#include "tests/dialog/dialog_harness.h"

namespace {

// Everything written to standard error while `action` runs.
template <typename Action>
std::string CaptureStandardError(Action action)
{
    test_support::TempDir dir;
    std::string path = dir / "stderr";
    std::unique_ptr<FILE, decltype(&std::fclose)> file(std::fopen(path.c_str(), "w"), &std::fclose);
    if (!file)
        qFatal("cannot write %s", path.c_str());
    std::fflush(stderr);
    int saved = dup(STDERR_FILENO);
    dup2(fileno(file.get()), STDERR_FILENO);
    action();
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    file.reset();
    return test_support::ReadFileBytes(path);
}

// Ends the modal dialog that the program's own loop is about to run, as a person would.
void WhenModal(std::function<void(QWidget&)> action)
{
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            qFatal("no modal dialog");
        action(*modal);
    });
}

}  // namespace

class AppTest : public QObject {
    Q_OBJECT

private slots:
    void init() { framework::SetResourceModule(DizoredResources()); }

    void nameIsTheExecutableFileNameWithoutExtension()
    {
        QCOMPARE(framework::Application::Name(), dialog_test::ExpectedAppName());
    }

    void initInstanceRunsTheMainDialogAndAsksForNoMessageLoop()
    {
        CDizoredApp app;
        framework::ModalTestHook hook;
        std::string caption;
        hook.SetDialogHandler([&](framework::Dialog&, QDialog& window) {
            caption = window.windowTitle().toStdString();
            QTest::keyClick(&window, Qt::Key_Escape);
        });
        QVERIFY(!app.InitInstance());
        QCOMPARE(hook.Dialogs().size(), size_t{1});
        QCOMPARE(hook.Dialogs().front().templateId, IDD_DIZORED_DIALOG);
        QCOMPARE(hook.Dialogs().front().endCode, framework::IDCANCEL);
        QCOMPARE(caption, std::string("DOZA憑證轉換工具"));
        QCOMPARE(QApplication::applicationName().toStdString(), dialog_test::ExpectedAppName());
    }

    // The real modal loop, ended the ways a person ends it; no window is left behind.
    void initInstanceReturnsWhenTheDialogEnds_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("Escape") << 0;
        QTest::newRow("close box") << 1;
    }

    void initInstanceReturnsWhenTheDialogEnds()
    {
        QFETCH(int, way);
        CDizoredApp app;
        WhenModal([way](QWidget& window) {
            if (way == 0)
                QTest::keyClick(&window, Qt::Key_Escape);
            else
                window.close();
        });
        QString trace = QString::fromStdString(CaptureStandardError([&] { QVERIFY(!app.InitInstance()); }));
        QVERIFY(!trace.contains(QStringLiteral("警告")));
        QCOMPARE(QApplication::topLevelWidgets().size(), 0);
    }

    void aDialogThatCannotBeMadeWritesTheTwoTraceLines()
    {
        framework::SetResourceModule({});
        CDizoredApp app;
        std::string trace = CaptureStandardError([&] { QVERIFY(!app.InitInstance()); });
        QCOMPARE(trace, std::string("警告: 對話方塊建立失敗，因此，應用程式意外終止。\n"
                                    "警告: 如果您要在對話方塊上使用 MFC 控制項，則無法 #define _AFX_NO_MFC_CONTROLS_IN_DIALOGS。\n"));
    }
};

QTEST_MAIN(AppTest)
#include "app_test.moc"
