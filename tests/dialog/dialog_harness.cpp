#include "tests/dialog/dialog_harness.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTest>

#include "res/dizored_resources.h"

namespace dialog_test {

namespace {

template <typename Widget>
Widget& Find(const QWidget& window, const char* name)
{
    auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no widget %s", name);
    return *widget;
}

}  // namespace

DialogHarness::DialogHarness(const test_support::StoreWriter* store) : winePrefix_("WINEPREFIX", prefix_.Path())
{
    framework::SetResourceModule(DizoredResources());
    if (store)
        store->WriteFile(prefix_ / "user.reg");
    if (!dialog_.Create())
        qFatal("the main dialog could not be made");
}

DialogHarness::~DialogHarness() = default;

QWidget& DialogHarness::Window() const
{
    return *dialog_.Window();
}

QLineEdit& DialogHarness::IdEdit() const
{
    return Find<QLineEdit>(Window(), "idEdit");
}

QLineEdit& DialogHarness::PasswordEdit() const
{
    return Find<QLineEdit>(Window(), "passwordEdit");
}

QListWidget& DialogHarness::CertList() const
{
    return Find<QListWidget>(Window(), "certList");
}

QPushButton& DialogHarness::QueryButton() const
{
    return Find<QPushButton>(Window(), "queryButton");
}

QPushButton& DialogHarness::ImportButton() const
{
    return Find<QPushButton>(Window(), "importButton");
}

void DialogHarness::Query(const std::string& id)
{
    IdEdit().clear();
    TypeText(IdEdit(), QString::fromStdString(id));
    QTest::mouseClick(&QueryButton(), Qt::LeftButton);
}

void DialogHarness::SelectLine(const std::string& line)
{
    QList<QListWidgetItem*> found = CertList().findItems(QString::fromStdString(line), Qt::MatchExactly);
    if (found.isEmpty())
        qFatal("no line %s", line.c_str());
    QRect box = CertList().visualItemRect(found.first());
    QTest::mouseClick(CertList().viewport(), Qt::LeftButton, {}, box.center());
}

void DialogHarness::TypePassword(const std::string& password)
{
    PasswordEdit().clear();
    TypeText(PasswordEdit(), QString::fromStdString(password));
}

std::vector<std::string> DialogHarness::ListLines() const
{
    std::vector<std::string> lines;
    for (int i = 0; i < CertList().count(); ++i)
        lines.push_back(CertList().item(i)->text().toStdString());
    return lines;
}

std::vector<std::string> DialogHarness::TakeMessages()
{
    std::vector<std::string> texts;
    for (const framework::RecordedMessageBox& box : hook_.MessageBoxes())
        texts.push_back(box.text);
    hook_.Clear();
    return texts;
}

void TypeText(QWidget& widget, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QString character = text.mid(i, length);
        i += length - 1;
        Qt::Key key = character.size() == 1 && character[0].unicode() < 0x80
                          ? static_cast<Qt::Key>(QTest::asciiToKey(static_cast<char>(character[0].unicode())))
                          : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, &widget, key, character, Qt::NoModifier);
    }
}

std::string ExpectedAppName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString();
}

}  // namespace dialog_test
